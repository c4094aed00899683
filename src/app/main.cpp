#include <QApplication>

#include "program.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  orvex::Program program;
  return program.run();
}
