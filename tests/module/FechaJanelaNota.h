#pragma once
// The user closing the invoice window while a shipment invoice is being
// issued, for the shipment tests of both registers.

#include "host/Unotafiscal.h"
#include "host/db/EngineWatcher.h"

#include <QByteArray>

namespace moduletest {

// Releases the invoice window when the order is looked up in it: the user
// closed the window before the invoice was issued.
class FechaJanelaNota : public host::db::EngineWatcher {
public:
    FechaJanelaNota() : anterior_(host::db::watchEngine(this)) {}
    ~FechaJanelaNota() override { host::db::watchEngine(anterior_); }
    void prepared(std::uint64_t, std::uint64_t, const QByteArray& sql) override
    {
        if (sql.contains("Ped.AUX1, Ped.IMPRESSO_NF") && fmNotaFiscal.get())
            fmNotaFiscal->release();
    }
    void executed(std::uint64_t, std::uint64_t, Firebird::IMessageMetadata*, std::span<const unsigned char>,
                  std::span<const BlobParam>) override
    {
    }
    void fetched(std::uint64_t) override {}
    void cursorClosed(std::uint64_t) override {}
    void ended(std::uint64_t, End) override {}

private:
    host::db::EngineWatcher* anterior_;
};

}  // namespace moduletest
