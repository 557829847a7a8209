#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Keeps a second copy of the program off a draw folder this one draws from: two
// windows on one folder would each write their own idea of the winners record,
// and the later Stop would drop the other's winners. The lock ends with the
// program, also when it is killed or crashes.
class DrawFolderLock {
public:
    // Takes the lock on `folder`. A folder that does not exist is not locked:
    // nothing can be written there either.
    explicit DrawFolderLock(const QString &folder);
    ~DrawFolderLock();
    DrawFolderLock(const DrawFolderLock &) = delete;
    DrawFolderLock &operator=(const DrawFolderLock &) = delete;

    // Another program holds the folder.
    bool isHeldElsewhere() const { return m_heldElsewhere; }
    // The error box's text for a refused start, naming the folder in full.
    QString refusal() const;

private:
    QString m_folder; // absolute
    bool m_heldElsewhere = false;
    int m_fd = -1; // the locked folder, where the system locks folders
    std::unique_ptr<QLockFile> m_lockFile; // elsewhere, a lock file in the folder
};
