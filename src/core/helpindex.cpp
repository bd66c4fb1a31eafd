#include "core/helpindex.h"

#include "core/appstate.h"
#include "core/platform.h"

#include <QFile>
#include <QStringList>

namespace Brenvik {

const QList<QPair<QString, int>> &helpIndex()
{
    static const QList<QPair<QString, int>> index = {
        {QStringLiteral("Company_Name"), 1001},   {QStringLiteral("RevisionNo"), 1006},
        {QStringLiteral("Date"), 1004},           {QStringLiteral("WPDS_NO"), 1003},
        {QStringLiteral("weldingProcesses"), 1007}, {QStringLiteral("weldingProcess1"), 1007},
        {QStringLiteral("weldingProcess2"), 1007}, {QStringLiteral("Process_Mode"), 1008},
        {QStringLiteral("Base_Material"), 1030},  {QStringLiteral("baseMaterial"), 1030},
    };
    return index;
}

int helpContext(const QString &controlName)
{
    if (controlName.isEmpty())
        return -1;
    for (const auto &entry : helpIndex())
        if (entry.first.compare(controlName, Qt::CaseInsensitive) == 0)
            return entry.second;
    return -1;
}

void showHelpForName(const QString &controlName)
{
    const int context = helpContext(controlName);
    if (context >= 0)
        platform().showHelp(context);
}

HelpTopic parseHelpTopic(const QByteArray &helpFile, int context)
{
    HelpTopic topic;
    const QString header = QLatin1Char('[') + QString::number(context) + QLatin1Char(']');
    const QStringList lines = QString::fromUtf8(helpFile).split(QLatin1Char('\n'));
    bool inTopic = false;
    QStringList body;
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            if (inTopic)
                break; // the next topic begins
            inTopic = trimmed == header;
            continue;
        }
        if (!inTopic || line.startsWith(QLatin1Char('#')))
            continue;
        if (topic.context < 0) {
            if (trimmed.isEmpty())
                continue;
            topic.context = context;
            if (trimmed.startsWith(QLatin1String("title="))) {
                topic.title = trimmed.mid(6).trimmed();
                continue;
            }
        }
        body << trimmed;
    }
    if (!inTopic && topic.context < 0)
        return {};
    topic.context = context;
    while (!body.isEmpty() && body.constLast().isEmpty())
        body.removeLast();
    while (!body.isEmpty() && body.constFirst().isEmpty())
        body.removeFirst();
    // Lines of one paragraph run together; an empty line starts a new paragraph.
    QStringList paragraphs;
    QString current;
    for (const QString &line : body) {
        if (line.isEmpty()) {
            if (!current.isEmpty())
                paragraphs << current;
            current.clear();
        } else {
            // A line starting "- " is an item of a list and keeps its own line.
            const bool item = line.startsWith(QLatin1String("- "));
            if (!current.isEmpty())
                current += item ? QStringLiteral("\n") : QStringLiteral(" ");
            current += line;
        }
    }
    if (!current.isEmpty())
        paragraphs << current;
    topic.text = paragraphs.join(QStringLiteral("\n\n"));
    return topic;
}

HelpTopic helpTopic(int context)
{
    QFile file(AppState::instance().sideFile(QStringLiteral("zor.hlp")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseHelpTopic(file.readAll(), context);
}

} // namespace Brenvik
