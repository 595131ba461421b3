#pragma once
// A database holding the host schema only (the module's tables in their base
// form), copied per test from a template built once per run, with dmGlobal
// open on it.

#include "data/uDataTec.h"
#include "data/uDataTecUpgrade.h"
#include "host/Udmglobal.h"

#include <gtest/gtest.h>

#include <memory>

class UpgradeTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    host::db::Transaction& tr() { return *dmGlobal->IBTransaction1; }
    int exec(const QString& sql);
    QVariant one(const QString& sql);
    // Creates dmTec, whose creation handler runs the upgrade; frees it first
    // when it exists.
    void createDataModule();
    // The creation handler again, on the data module already created.
    void upgradeAgain();

    QString dbPath;
    std::unique_ptr<TdmGlobal> global;
    TdmTec* tec = nullptr;
};

// The seven statements of the quantity conversion, in their order.
extern const char* const kConversionStatements[7];
