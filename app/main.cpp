// The host executable.

#include "host/db/Database.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv) {
    host::db::prepareProcess();
    QApplication app(argc, argv);
    QMessageBox::information(nullptr, "Assistência Técnica", "Em construção.");
    return 0;
}
