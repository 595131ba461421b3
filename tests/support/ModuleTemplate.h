#pragma once
// The demonstration database with the module's own upgrades already run
// (service tables and contract tables), as a running installation has it;
// built once per test program from the host's demonstration template. For
// test programs that link the module.

#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "host/Udmglobal.h"
#include "host/ui/ScriptedDialogs.h"
#include "tests/support/TestDatabase.h"

#include <QFile>

namespace testsupport {

inline QString moduleTemplateDatabase(const QString& demoTemplate)
{
    static const QString path = [&demoTemplate] {
        const QString file = uniqueFile("template-module", ".fdb");
        QFile::remove(file);
        QFile::copy(demoTemplate, file);
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        TdmGlobal upgrading(file);
        host::ui::ScriptedDialogs informacoes;
        informacoes.setAutoAcknowledgeMessages(true);
        dmTec.create(nullptr);
        dmTec.free();
        dmTecContrato.create(nullptr);
        dmTecContrato.free();
        upgrading.IBTransaction1->commit();
        return file;
    }();
    return path;
}

}  // namespace testsupport
