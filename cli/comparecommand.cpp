// orvex-cli compare A B: the settings that differ, in the editor's words.
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

#include "cli/commands.h"
#include "cli/progress.h"
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
  QString problem;
};

// Files are read at once; the controllers named are read together, each on its own link.
bool loadSides(const Session& s, QList<Side>* sides) {
  QStringList ports;
  for (Side& side : *sides) {
    side.port = portOfSide(side.given);
    if (!side.port.isEmpty()) {
      ports << side.port;
    } else if (!readQvtFile(side.given, &side.set, &side.problem, &s.link.texts)) {
      std::fprintf(stderr, "%s\n", qUtf8Printable(side.problem));
      return false;
    } else {
      side.ok = true;
    }
  }
  if (ports.isEmpty()) return true;
  ports.removeDuplicates();
  ProgressBoard board(ports, s.progressBar, InstrumentTransfers::kReadSteps);
  const QList<ControllerOutcome> outcomes =
      runOnControllers(ports, s.link,
                       [](InstrumentTransfers& t, ParameterSet* set) {
                         return t.readConfiguration(set);
                       },
                       {board, nullptr, s.interruptions});
  for (Side& side : *sides)
    for (const ControllerOutcome& outcome : outcomes)
      if (!side.port.isEmpty() && outcome.port == side.port) {
        side.ok = outcome.ok;
        side.set = outcome.set;
        side.problem = outcome.problems.value(outcome.problems.size() - 1);
      }
  return true;
}

void printText(const Session& s, const QList<SettingDifference>& differences, QTextStream& out) {
  const TextTables* texts = &s.link.texts;
  if (differences.isEmpty()) {
    out << extraText(texts, extra::CompareNoDifferences) << '\n';
    return;
  }
  out << extraText(texts, extra::CompareDifferCount).arg(differences.size()) << '\n';
  for (const SettingDifference& d : differences)
    out << d.section << " / " << d.name << " [" << slotsText(d.slotNumbers)
        << "]: " << d.editorValue << "  |  " << d.otherValue << '\n';
}

void printJson(const QList<Side>& sides, const QList<SettingDifference>& differences,
               QTextStream& out) {
  QJsonArray list;
  for (const SettingDifference& d : differences) {
    QJsonArray slotNumbers;
    for (const int slot : d.slotNumbers) slotNumbers.append(slot);
    list.append(QJsonObject{{"slot", d.slotNumbers.value(0)},
                            {"slots", slotNumbers},
                            {"section", d.section},
                            {"name", d.name},
                            {"a", d.editorValue},
                            {"b", d.otherValue}});
  }
  out << QJsonDocument(QJsonObject{{"command", "compare"},
                                   {"a", sides[0].given},
                                   {"b", sides[1].given},
                                   {"differences", list}})
             .toJson(QJsonDocument::Indented);
}

}  // namespace

int runCompare(const Session& s, QTextStream& out) {
  QList<Side> sides{{s.arguments.sideA, {}, {}, false, {}}, {s.arguments.sideB, {}, {}, false, {}}};
  if (!loadSides(s, &sides)) return kBadUsage;
  for (const Side& side : sides)
    if (!side.ok) {
      std::fprintf(stderr, "%s: %s\n", qUtf8Printable(side.given), qUtf8Printable(side.problem));
      return kControllerFailed;
    }
  const EditorWording wording = wordingFor(s.link.programDir, s.languageBase);
  const QList<SettingDifference> differences = compareSets(sides[0].set, sides[1].set, wording);
  if (s.arguments.json) printJson(sides, differences, out);
  else printText(s, differences, out);
  return differences.isEmpty() ? kSuccess : kControllerFailed;
}

}  // namespace orvex::cli
