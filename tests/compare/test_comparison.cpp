// The differences between two sets, worded as the editor shows them, without a window.
#include <QtTest>

#include "compare/comparison.h"
#include "config/editortable.h"
#include "config/factoryset.h"
#include "lang/languages.h"
#include "support/tempprogramdir.h"

using namespace orvex;

namespace {

EditorWording wording(int base) { return wordingFor(test::deliveredDataDir(), base); }

QStringList rows(const QList<SettingDifference>& differences) {
  QStringList out;
  for (const SettingDifference& d : differences) {
    QStringList slotNumbers;
    for (const int slot : d.slotNumbers) slotNumbers << QString::number(slot);
    out << QStringList{slotNumbers.join('+'), d.section, d.name, d.editorValue, d.otherValue}.join(
        '|');
  }
  return out;
}

}  // namespace

class TestComparison : public QObject {
  Q_OBJECT
 private slots:
  // Every slot with a control belongs to one setting, worded in every language.
  void everySettingOnceInEveryLanguage() {
    const ParameterSet editor = factoryParameterSet();
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
      ParameterSet other = editor;
      other[slot] = static_cast<qint16>(editor[slot] + 1);
      const QList<SettingDifference> found = compareSets(editor, other, wording(kEnglishBase));
      QCOMPARE(found.size(), slot >= 45 && slot <= 47 ? 0 : 1);
      QVERIFY(found.isEmpty() || found[0].slotNumbers.contains(slot));
    }
    ParameterSet everything;  // nothing any control can show
    everything.slot.fill(300);
    for (const Language& language : languages()) {
      const auto found = compareSets(editor, everything, wording(language.base));
      QCOMPARE(found.size(), qsizetype(mappingSteps().size()));
      for (const SettingDifference& d : found) {
        const QString row = rows({d}).join(QString());
        QVERIFY2(!d.section.isEmpty() && !d.name.isEmpty() && !d.editorValue.isEmpty() &&
                     !d.otherShowable && !row.contains("%1"),
                 qPrintable(row));
      }
    }
  }
};

QTEST_GUILESS_MAIN(TestComparison)
#include "test_comparison.moc"
