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
    out << QStringList{slotNumbers.join('+'), d.section, d.name, d.editorValue, d.otherValue}
               .join('|');
  }
  return out;
}

}  // namespace

class TestComparison : public QObject {
  Q_OBJECT
 private slots:
  // An option, a flag, an action code, a byte pair, a value without an option; 45..47 left out.
  void differencesInTheEditorsWords() {
    const ParameterSet editor = factoryParameterSet();
    ParameterSet other = editor;
    other[1] = 10;                       // 400 V
    other[2] = 13;                       // beyond the 12 options, as a file may hold
    other[15] = 2;                       // D+ not ticked
    other[34] = 4;                       // timed stop instead of immediate stop and siren
    other[58] = 1, other[59] = 0x2C;     // 300 s
    other[45] = 1, other[46] = other[47] = 5;
    const QList<SettingDifference> found = compareSets(editor, other, wording(kEnglishBase));
    QCOMPARE(rows(found), (QStringList{
        "1|MAINS Parameters|Nominal Voltage|230 V|400 V",
        "2|MAINS Parameters|Lower Voltage Limit|-10 %|13 (value without an option)",
        u"15|Start Sequence Parameters|D+ Terminal Voltage – Enabled|ticked|not ticked"_qs,
        u"34|Digital Inputs|OIL ALARM – Action on Alarm|Immediate Stop, Siren On|Timed Stop"_qs,
        u"58+59|Digital Inputs|SIREN TIME – Ton|60 Sec|300 Sec"_qs}));
    QCOMPARE(rows(compareSets(editor, other, wording(900)))[2],
             u"15|Parameter Startsequenz|Spannung Klemme D+ – Aktiviert|angekreuzt|"
             u"nicht angekreuzt"_qs);

    ParameterSet taken = editor;
    for (const SettingDifference& d : found)
      if (d.otherShowable) takeOtherValue(d, &taken);
    QCOMPARE(rows(compareSets(taken, other, wording(kEnglishBase))), rows({found[1]}));
  }

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
                     !d.otherShowable && !row.contains("%1"), qPrintable(row));
      }
    }
  }
};

QTEST_GUILESS_MAIN(TestComparison)
#include "test_comparison.moc"
