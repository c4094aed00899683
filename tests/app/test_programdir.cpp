// The program directory: the start folder from the build tree; installed, the user's folder,
// filled from the delivered files without touching what the user has there.
#include <QDir>
#include <QTest>

#include "programdir.h"
#include "support/tempprogramdir.h"

using namespace orvex;
using test::TempProgramDir;

namespace {
bool writable(const QString&) { return true; }
bool readOnly(const QString&) { return false; }
}  // namespace

class TestProgramDir : public QObject {
  Q_OBJECT
 private slots:
  void besideItsFilesInAWritableFolderTheStartFolderStays() {
    TempProgramDir own, start(false), user(false);
    QString problem;
    QCOMPARE(chooseProgramDir({own.path(), start.path(), user.file("orvex"), writable}, &problem),
             start.path());
    QVERIFY(!QFileInfo::exists(user.file("orvex")));
  }
  void readOnlyFillsTheUserFolderKeepingTheUsersFiles() {
    TempProgramDir own, start(false), user(false);
    user.write("confcom.sys", "COM3:19200,N,8,1\r\n");
    user.write("DEFAULT.FIL", "MINE\r\n");
    user.write("config/MINE.QVT", "1\r\n");
    QString problem;
    QCOMPARE(chooseProgramDir({own.path(), start.path(), user.path(), readOnly}, &problem),
             user.path());
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(user.read("confcom.sys"), QByteArray("COM3:19200,N,8,1\r\n"));
    QCOMPARE(user.read("DEFAULT.FIL"), QByteArray("MINE\r\n"));
    QVERIFY(!QFileInfo::exists(user.file("Default.fil")) &&
            !QFileInfo::exists(user.file("CONFIG")));
    QCOMPARE(user.read("config/FACTORY.QVT"), own.read("CONFIG/FACTORY.QVT"));
    QCOMPARE(user.read("textos.sys"), own.read("textos.sys"));
    QVERIFY(QFileInfo(user.file("Report/Doc")).isDir());
  }
  void anInstalledLayoutIsInstalledEvenWhereRootMayWrite() {
    TempProgramDir root(false), user(false);
    root.write("share/orvex/textos.sys", "texts");
    QVERIFY(QDir().mkpath(root.file("bin")));
    QString problem;
    QCOMPARE(chooseProgramDir({root.file("bin"), root.path(), user.path(), writable}, &problem),
             user.path());
    QCOMPARE(user.read("textos.sys"), QByteArray("texts"));
  }
  void aFolderThatCannotBeMadeIsTold() {
    TempProgramDir user(false);
    user.write("blocked", "a file where the folder would be");
    QString problem;
    QVERIFY(!fillFromDelivered(test::deliveredDataDir(), user.file("blocked/orvex"), &problem));
    QVERIFY(problem.contains("blocked"));
  }
};

QTEST_GUILESS_MAIN(TestProgramDir)
#include "test_programdir.moc"
