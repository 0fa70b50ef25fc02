#pragma once

#include <QString>

namespace varnel {

// The folders the file dialogs open in, kept in the profile between runs: the pictures
// folder of Add and the projects folder of Save and Load.
enum class FolderUse { kPictures, kProjects };

// The folder last used for this, empty when none is kept or it no longer exists.
QString RememberedFolder(FolderUse use);
// Keeps the folder for the next dialog of this use, in this run and the next.
void RememberFolder(FolderUse use, const QString& folder);

}  // namespace varnel
