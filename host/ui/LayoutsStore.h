#pragma once
// The layout file as the saved layouts read it: every key and value, read
// whole once and again only when the file changed on disk (another
// instance of the application saved a layout, or the folder moved). Every
// window's and grid's opening restores from it, and their closing compares
// with it, without opening the file each time.

#include <QHash>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <memory>

namespace host::ui::Layouts::detail {

const QHash<QString, QVariant>& storedValues();
// Changes whenever the kept values do (read again, or written here): what
// is worked out of them is kept while it stays the same.
quint64 storedGeneration();

// Writes layouts into the file and the kept values alike; at its end the
// file is written and the kept values are the file's, without reading it
// again (unless another instance had written it since they were read: then
// it is read again at the next use).
class LayoutWriter {
public:
    LayoutWriter();
    ~LayoutWriter();
    LayoutWriter(const LayoutWriter&) = delete;
    LayoutWriter& operator=(const LayoutWriter&) = delete;
    void set(const QString& key, const QVariant& value);
    // Every key of the group goes.
    void removeGroup(const QString& group);

private:
    bool wasCurrent_;
    std::unique_ptr<QSettings> store_;
};

}  // namespace host::ui::Layouts::detail
