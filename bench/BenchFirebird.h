#pragma once
// What the benchmarks share about the engine: benchmarks that commit every
// row switch their database to asynchronous writes, so that the disk of a
// shared machine does not swamp what is measured.

#include <firebird/Interface.h>
#include <ibase.h>

#include <QFile>
#include <QString>

#include <chrono>
#include <functional>

#include "host/db/Database.h"
#include "host/schema/HostSchema.h"

namespace bench {

inline void escritaAssincrona(const QString& path)
{
    using namespace Firebird;
    IMaster* master = fb_get_master_interface();
    IStatus* status = master->getStatus();
    ThrowStatusWrapper st(status);
    IXpbBuilder* dpb = master->getUtilInterface()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
    dpb->insertString(&st, isc_dpb_user_name, "SYSDBA");
    dpb->insertInt(&st, isc_dpb_force_write, 0);
    IAttachment* att = master->getDispatcher()->attachDatabase(&st, path.toUtf8().constData(),
                                                                dpb->getBufferLength(&st), dpb->getBuffer(&st));
    dpb->dispose();
    att->detach(&st);
    status->dispose();
}

// A new database file at the path with the host schema, switched to
// asynchronous writes (an earlier file of that name is removed first).
inline void novoBancoHost(const QString& path)
{
    QFile::remove(path);
    {
        host::db::Connection c;
        c.create({path});
        host::db::Transaction tr(c);
        host::createHostSchema(tr);
        tr.commit();
    }
    escritaAssincrona(path);
}

inline double segundos(const std::function<void()>& trabalho)
{
    const auto inicio = std::chrono::steady_clock::now();
    trabalho();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
}

}  // namespace bench
