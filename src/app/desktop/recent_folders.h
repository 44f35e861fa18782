#pragma once

#include <map>
#include <QString>
#include <QStringList>

namespace velmora {

// The folder each kind of file dialog last used in this run, so that the next dialog of that
// kind opens there. Held in memory only: every run starts with none.
class RecentFolders {
public:
    // Where a dialog of `kind` opens: `requested` when the caller names a place, else the
    // folder last used for `kind`, else empty (the dialog's own default).
    QString start_for(const QString& kind, const QString& requested) const;
    // The folder the files of `chosen` lie in becomes the one of `kind`; nothing chosen
    // changes nothing.
    void remember_files(const QString& kind, const QStringList& chosen);
    // `folder` itself becomes the one of `kind`; empty changes nothing.
    void remember_folder(const QString& kind, const QString& folder);

private:
    std::map<QString, QString> folders_;
};

} // namespace velmora
