#pragma once
// One run of the batch editor: writes a new company name and address into a list of
// document files, in place or into copies in another folder, and logs what it did. The
// dialog and the command line drive the same run; everything that needs a person (the two
// questions, the log, progress and the Cancel button) comes through Listener, every error
// box through platform().

#include "core/filestamp.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace Brenvik {

class DuplicatorRun {
public:
    enum class Mode { Copy, Modify };

    // How a run ended.
    enum class Outcome {
        Done,      // every step taken (some files may have been missing or skipped)
        Refused,   // stopped before any file was touched (a question answered Cancel, a bad destination)
        Failed,    // a copy or a write was refused by the system part way
        Cancelled  // the user stopped it between two files
    };

    struct Settings {
        QStringList sources; // full paths, in list order
        Mode mode = Mode::Copy;
        QString newPath;     // destination folder (copy mode)
        QString company;     // written as it stands, an empty text included
        QString address;
        // The command line creates a missing destination with its parents; the dialog creates
        // only the last folder, as the user was asked for that one.
        bool createParents = false;
    };

    class Listener {
    public:
        virtual ~Listener() = default;
        // Modify mode's warning before the sources are rewritten; false ends the run.
        virtual bool confirmModify() = 0;
        // Copy mode: the destination does not exist; false ends the run.
        virtual bool confirmCreateFolder(const QString &folder) = 0;
        virtual void logLine(const QString &line) = 0;
        // Called before each file with the steps done so far (a copy and a rewrite are one
        // step each) and the steps the run takes in all.
        virtual void progress(int done, int total)
        {
            Q_UNUSED(done)
            Q_UNUSED(total)
        }
        // Asked between two files.
        virtual bool cancelRequested() { return false; }
    };

    DuplicatorRun(const Settings &settings, Listener &listener);

    Outcome run();

    // The keys a form type gets, as its description names them: company key, address key
    // (empty when the type has none).
    // False for a type the run does not know (compared exactly, with regard to case).
    static bool keysFor(const QString &formType, QString *companyKey, QString *addressKey);
    // The sketch picture file that belongs beside a document.
    static QString sketchPath(const QString &documentPath);

    int modifiedCount() const { return m_modified.size(); }
    QStringList modified() const { return m_modified; }
    QStringList copies() const { return m_copies; }
    QStringList missing() const { return m_missing; }
    QStringList skipped() const { return m_skipped; }
    QStringList log() const { return m_log; }
    // Every source arrived in the end (rewritten itself, or its copy rewritten).
    bool allModified() const;

private:
    Outcome runSteps();
    Outcome copyFiles(QStringList *workList);
    bool destinationClash(const QString &source) const;
    bool nameClash(const QStringList &existing) const;
    QString copyProblem(const QString &target, bool withSketch) const;
    bool ensureDestination();
    bool copyOne(const QString &from, const QString &to, QByteArray *copied = nullptr);
    // False when the run must stop here (the write was refused). A file that changed on disk
    // since the run copied or read it is skipped: someone else is working on it.
    bool modifyFile(const QString &path);
    void warnIfOpen(const QString &path);
    // True when the user has asked to stop; otherwise counts the step.
    bool stepAndCheckCancel(const QString &next);
    // The closing lines of a run that stopped early.
    void logSummary();
    void line(const QString &text);

    Settings m_settings;
    Listener &m_listener;
    QStringList m_log;
    QStringList m_copies;   // copies made, in order
    QStringList m_modified; // files rewritten, in order
    QStringList m_missing;
    QStringList m_skipped;
    QHash<QString, FileStamp> m_copied; // each copy as the run wrote it
    Outcome m_outcome = Outcome::Refused;
    int m_done = 0;
    int m_total = 0;
};

} // namespace Brenvik
