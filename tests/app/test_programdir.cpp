// The program directory: the start folder from the build tree; installed, the user's folder,
// filled from the delivered files without touching what the user has there, but with the
// texts of the version installed.
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
    FolderProblem problem;
    QCOMPARE(chooseProgramDir({own.path(), start.path(), user.file("orvex"), writable}, &problem),
             start.path());
    QVERIFY(!QFileInfo::exists(user.file("orvex")));
  }
  // An upgrade: the user's files of the earlier version stay, its texts are replaced.
  void readOnlyFillsTheUserFolderKeepingTheUsersFiles() {
    TempProgramDir own, start(false), user(false);
    const QByteArray mine[][2] = {{"confcom.sys", "COM3:19200,N,8,1\r\n"},
                                  {"DEFAULT.FIL", "MINE\r\n"},
                                  {"conflang.sys", "$DEUTSCHLAND$\r\n"},
                                  {"config/MINE.QVT", "1\r\n"},
                                  {"config/FACTORY.QVT", "changed by the user\r\n"},
                                  {"Report/Txt/SN-1.txt", "a report\r\n"}};
    for (const auto& [file, content] : mine) user.write(file, content);
    user.write("TEXTOS.SYS", own.read("textos.sys").replace("V5.0", "V4.9"));
    FolderProblem problem;
    QCOMPARE(chooseProgramDir({own.path(), start.path(), user.path(), readOnly}, &problem),
             user.path());
    QVERIFY(!problem);
    for (const auto& [file, content] : mine) QCOMPARE(user.read(file), content);
    // No second file in another case (listed by name: a Windows disk ignores case).
    const QStringList names = QDir(user.path()).entryList();
    QVERIFY(!names.contains("Default.fil") && !names.contains("CONFIG") &&
            !names.contains("textos.sys"));
    QCOMPARE(user.read("TEXTOS.SYS"), own.read("textos.sys"));
    QVERIFY(QFileInfo(user.file("Report/Doc")).isDir());
  }
  void anInstalledLayoutIsInstalledEvenWhereRootMayWrite() {
    TempProgramDir root(false), user(false);
    root.write("share/orvex/textos.sys", "texts");
    QVERIFY(QDir().mkpath(root.file("bin")));
    FolderProblem problem;
    QCOMPARE(chooseProgramDir({root.file("bin"), root.path(), user.path(), writable}, &problem),
             user.path());
    QCOMPARE(user.read("textos.sys"), QByteArray("texts"));
  }
  // A folder that cannot be made is told with its reason; meanwhile the delivered files are read.
  void aFolderThatCannotBeMadeIsTold() {
    TempProgramDir root(false), home(false);
    root.write("share/orvex/textos.sys", "texts");
    QVERIFY(QDir().mkpath(root.file("bin")));
    home.write(".local", "a file where the folder would be");
    FolderProblem problem;
    QCOMPARE(chooseProgramDir({root.file("bin"), home.path(), home.file(".local/share/orvex"),
                               writable},
                              &problem),
             root.file("share/orvex/"));
    QVERIFY(problem.kind == FolderProblem::Kind::FolderNotMade);
    QCOMPARE(folderProblemText(problem, nullptr),
             QStringLiteral("The folder %1, which keeps your settings, configurations and reports, "
                            "cannot be made: %2 is a file, not a folder. The program reads the "
                            "delivered files from %3; nothing can be saved until the folder can "
                            "be made.")
                 .arg(QDir::toNativeSeparators(home.file(".local/share/orvex")),
                      QDir::toNativeSeparators(home.file(".local")),
                      QDir::toNativeSeparators(root.file("share/orvex"))));
  }
};

QTEST_GUILESS_MAIN(TestProgramDir)
#include "test_programdir.moc"
