#pragma once
// Every control carries the name of its form's control as its objectName, so
// that readers and tests find it by the name the form uses.

#include <QWidget>
#include <utility>

// new W(args..., parent), named.
template <class W, class... Args> W* named(const char* name, QWidget* parent, Args&&... args)
{
    auto* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(QLatin1String(name));
    return w;
}
