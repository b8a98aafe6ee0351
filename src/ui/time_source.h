#pragma once
// Today's date and the present time come from here, so tests can fix the clock.

#include <QDateTime>

class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemTimeSource final : public TimeSource {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A clock that stands still until told otherwise.
class FixedTimeSource final : public TimeSource {
public:
    explicit FixedTimeSource(QDateTime t = {}) : t_(std::move(t)) { }
    QDateTime now() const override { return t_; }
    void set(const QDateTime& t) { t_ = t; }
    void advanceSecs(qint64 s) { t_ = t_.addSecs(s); }

private:
    QDateTime t_;
};
