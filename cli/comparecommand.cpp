// orvex-cli compare A B: the settings that differ, in the editor's words.
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

#include "cli/commands.h"
#include "cli/outputs.h"
#include "cli/progress.h"
#include "cli/results.h"
#include "compare/comparison.h"
#include "files/qvtformat.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"
#include "link/transfers.h"

namespace orvex::cli {
namespace {

struct Side {
  QString given;  // as on the command line
  QString port;   // empty: a file
  ParameterSet set;
  bool ok = false;
};

QJsonObject sideJson(const Side& side) {
  return portOfSide(side.given).isEmpty()
             ? QJsonObject{{QStringLiteral("given"), side.given},
                           {QStringLiteral("file"), side.given}}
             : QJsonObject{{QStringLiteral("given"), side.given},
                           {QStringLiteral("port"), portOfSide(side.given)}};
}

// Files first, so that a bad one is found before any controller is read; then the
// controllers named, read together, each on its own link. False (told) on a bad file.
bool loadSides(const Session& s, QList<Side>* sides, OutputCheck* outputs, Results& results) {
  QStringList ports;
  for (Side& side : *sides) {
    side.port = portOfSide(side.given);
    QString problem;
    if (!side.port.isEmpty()) {
      ports << side.port;
    } else if (!readQvtFile(side.given, &side.set, &problem, &s.link.texts)) {
      results.refuse(problem);
      return false;
    } else {
      side.ok = true;
    }
  }
  if (ports.isEmpty()) return true;
  ports.removeDuplicates();
  if (!s.arguments.logFile.isEmpty() && !outputs->file(s.arguments.logFile)) {
    results.refuse(outputs->problem());
    return false;
  }
  if (const QString problem = portsSharingADevice(ports, s.link.programDir); !problem.isEmpty()) {
    results.refuse(problem);
    return false;
  }
  const QList<ControllerOutcome> outcomes = readControllers(s, ports, results);
  for (const ControllerOutcome& outcome : outcomes) {
    results.add(outcome, outcome.ok ? messageText(&s.link.texts, 33)
                                    : outcome.problems.value(outcome.problems.size() - 1));
    for (Side& side : *sides)
      if (side.port == outcome.port) {
        side.ok = outcome.ok;
        side.set = outcome.set;
      }
  }
  return true;
}

void addText(const Session& s, const QList<Side>& sides,
             const QList<SettingDifference>& differences, Results& results) {
  const TextTables* texts = &s.link.texts;
  results.line(QStringLiteral("A: %1  B: %2").arg(sides[0].given, sides[1].given));
  if (differences.isEmpty()) {
    results.line(extraText(texts, extra::CompareNoDifferences));
    return;
  }
  results.line(extraText(texts, extra::CompareDifferCount).arg(differences.size()));
  for (const SettingDifference& d : differences)
    results.line(
        QStringLiteral("%1 / %2 [%3]: %4  |  %5")
            .arg(d.section, d.name, slotsText(d.slotNumbers), d.editorValue, d.otherValue));
}

QJsonArray registerValues(const ParameterSet& set, const QList<int>& slotNumbers) {
  QJsonArray values;
  for (const int slot : slotNumbers) values.append(set[slot]);
  return values;
}

void addJson(const QList<Side>& sides, const QList<SettingDifference>& differences,
             Results& results) {
  QJsonArray list;
  for (const SettingDifference& d : differences) {
    QJsonArray slotNumbers;
    for (const int slot : d.slotNumbers) slotNumbers.append(slot);
    list.append(QJsonObject{{"slot", d.slotNumbers.value(0)},
                            {"slots", slotNumbers},
                            {"section", d.section},
                            {"name", d.name},
                            {"a", d.editorValue},
                            {"b", d.otherValue},
                            {"a_registers", registerValues(sides[0].set, d.slotNumbers)},
                            {"b_registers", registerValues(sides[1].set, d.slotNumbers)}});
  }
  results.set(QStringLiteral("differences"), list);
}

}  // namespace

// diff(1)'s statuses: 0 the same, 1 they differ, 2 trouble (a bad file, a controller that
// could not be read), so that "differs" and "could not tell" never look alike.
int runCompare(const Session& s, QTextStream& out) {
  Results results(s, "compare", kBadUsage);
  QList<Side> sides{{s.arguments.sideA, {}, {}, false}, {s.arguments.sideB, {}, {}, false}};
  OutputCheck outputs(s.link.texts);  // its folders stay until the log is written
  const bool loaded = loadSides(s, &sides, &outputs, results);
  results.set(QStringLiteral("a"), sideJson(sides[0]));
  results.set(QStringLiteral("b"), sideJson(sides[1]));
  if (!loaded || !sides[0].ok || !sides[1].ok) return results.print(out);  // told: status 2
  const EditorWording wording = wordingFor(s.link.programDir, s.languageBase);
  const QList<SettingDifference> differences = compareSets(sides[0].set, sides[1].set, wording);
  addJson(sides, differences, results);
  addText(s, sides, differences, results);
  results.atLeast(differences.isEmpty() ? kSuccess : kDiffers);
  return results.print(out);
}

}  // namespace orvex::cli
