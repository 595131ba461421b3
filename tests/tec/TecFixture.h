#pragma once
// A database with the host schema and the module's tables, the host's
// dmGlobal on it and dmTec created through its variable. The database is built
// once per run into a template file that each test copies.

#include "data/uDataTec.h"
#include "host/Udmglobal.h"

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>

#include <memory>


namespace tectest {

class TecTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A fresh copy of the template database (dmTec not created).
    void openHost();
    // The template: the module's tables already upgraded, or the host schema
    // alone (the module's tables in their base form).
    virtual bool upgradedTemplate() const { return true; }
    // Creates dmTec through its variable.
    TdmTec& createTec();
    // Runs SQL in the host transaction and commits retaining.
    void exec(const QString& sql);
    QVariant one(const QString& sql);

    QString dbPath;
    std::unique_ptr<TdmGlobal> global;
    QTemporaryDir systemFolder;
};

// The template database files, built once per run on first use: the host
// schema with the module's tables upgraded, and the host schema alone.
QString templateDatabase();
QString hostTemplateDatabase();

}  // namespace tectest
