#pragma once
// A database with the host schema and its demonstration-free base, the
// host's dmGlobal on it and dmTec created through its variable. The schema is
// built once per run into a template file that each test copies.

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
    // Creates dmTec through its variable.
    TdmTec& createTec();
    // Runs SQL in the host transaction and commits retaining.
    void exec(const QString& sql);
    QVariant one(const QString& sql);

    QString dbPath;
    std::unique_ptr<TdmGlobal> global;
    QTemporaryDir systemFolder;
};

// The template database file (host schema), built on first use.
QString templateDatabase();

}  // namespace tectest
