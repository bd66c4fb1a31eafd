#pragma once
// The documents of File > Open Recent: the last eight opened or saved, newest first, each once.
// Kept between runs as one preference text, shared by every window and run of the user.

#include <QString>
#include <QStringList>

namespace Brenvik {

class RecentFiles {
public:
    static constexpr int kMax = 8;

    // From the preference text; anything that is not a list of paths reads as none.
    static RecentFiles fromSetting(const QString &text);
    QString toSetting() const;

    QStringList paths() const { return m_paths; }
    // Puts the document first (an absolute, clean path), once, and keeps the newest eight.
    void add(const QString &path);
    // False when it was not listed.
    bool remove(const QString &path);

private:
    QStringList m_paths;
};

} // namespace Brenvik
