#include "core/job.h"

#include <QDataStream>
#include <QIODevice>

namespace {

// "PRKJ", then the format version.
constexpr quint32 kMagic = 0x50524B4A;
constexpr quint16 kVersion = 1;

}   // namespace

QByteArray encodeJobs(const std::vector<Job>& jobs)
{
    QByteArray body;
    {
        QDataStream out(&body, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_4);
        out << quint32(jobs.size());
        for (const Job& job : jobs) {
            out << job.id << quint32(job.steps.size());
            for (const JobStep& s : job.steps)
                out << quint8(s.kind) << quint8(s.list) << quint8(s.edit.kind) << s.edit.before << s.edit.after
                    << qint32(s.held) << qint32(s.heldAfter) << qint64(s.sizeBefore) << qint32(s.memoNo) << s.memoBytes
                    << s.done;
        }
    }
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << kMagic << kVersion << body << bytesHash(body);
    return file;
}

std::optional<std::vector<Job>> decodeJobs(const QByteArray& bytes)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint16 version = 0;
    QByteArray body;
    quint64 hash = 0;
    in >> magic >> version >> body >> hash;
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion || bytesHash(body) != hash)
        return std::nullopt;

    QDataStream b(body);
    b.setVersion(QDataStream::Qt_6_4);
    quint32 jobCount = 0;
    b >> jobCount;
    std::vector<Job> jobs;
    for (quint32 j = 0; j < jobCount && b.status() == QDataStream::Ok; ++j) {
        Job job;
        quint32 stepCount = 0;
        b >> job.id >> stepCount;
        for (quint32 k = 0; k < stepCount && b.status() == QDataStream::Ok; ++k) {
            JobStep s;
            quint8 kind = 0, list = 0, edit = 0;
            qint32 held = 0, heldAfter = 0, memoNo = 0;
            qint64 sizeBefore = 0;
            b >> kind >> list >> edit >> s.edit.before >> s.edit.after >> held >> heldAfter >> sizeBefore >> memoNo >>
                s.memoBytes >> s.done;
            if (kind > quint8(JobStep::Kind::MemoRemove) || list > quint8(ListKind::Schedule) ||
                edit > quint8(ListEdit::Kind::Replace))
                return std::nullopt;
            s.kind = JobStep::Kind(kind);
            s.list = ListKind(list);
            s.edit.kind = ListEdit::Kind(edit);
            s.held = held;
            s.heldAfter = heldAfter;
            s.sizeBefore = sizeBefore;
            s.memoNo = memoNo;
            job.steps.push_back(std::move(s));
        }
        jobs.push_back(std::move(job));
    }
    if (b.status() != QDataStream::Ok || !b.atEnd())
        return std::nullopt;
    return jobs;
}
