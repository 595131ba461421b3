#include "host/ui/Locale.h"

#include "host/data/Format.h"
#include "host/ui/Dialogs.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace host::ui {

bool useBrazilianPortuguese()
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    return Dialogs::loadQtTranslations();
}

namespace {

// Type and date columns of the file model, written again in Portuguese.
class PortugueseFileList : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid())
            return QIdentityProxyModel::data(index, role);
        const QFileInfo info = files->fileInfo(mapToSource(index));
        switch (index.column()) {
        case 1:
            return info.isDir() ? QVariant(QString()) : QVariant(QLocale().formattedDataSize(info.size()));
        case 2:
            if (info.isDir())
                return QStringLiteral("Pasta");
            return info.suffix().isEmpty() ? QStringLiteral("Arquivo") : "Arquivo " + info.suffix();
        case 3:
            return host::data::formatDateTime("dd/mm/yyyy hh:nn", info.lastModified());
        default:
            return QIdentityProxyModel::data(index, role);
        }
    }
};

} // namespace

void portugueseFileList(QFileDialog& dialog)
{
    // The list is Qt's own only in its widget form.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setProxyModel(new PortugueseFileList(&dialog));
}

} // namespace host::ui
