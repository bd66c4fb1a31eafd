#include "core/profilefile.h"

#include <QtTest>

using namespace Brenvik;

class TestProfileFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void smoke()
    {
        ProfileFile f(QStringLiteral("/nonexistent/x.ini"));
        f.setData("\xEF\xBB\xBF[Contents]\r\n Key =v1 \r\nkey=v2\r\n\r\n[other]\nz=1");
        QCOMPARE(f.value("contents", "KEY"), QStringLiteral("v1 "));
        f.setValue("CONTENTS", "new", "a\nb");
        f.setValue("contents", "key", "w");
        f.setValue("third", "k", QString::fromUtf8("\u20ac\u4e00"));
        QCOMPARE(f.data(), QByteArray("\xEF\xBB\xBF[Contents]\r\n Key =w\r\nkey=v2\r\nnew=a b\r\n\r\n[other]\nz=1\r\n[third]\r\nk=\x80?\r\n"));
        QCOMPARE(f.lossyKeys(), QStringList{"third/k"});
    }
};

QTEST_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
