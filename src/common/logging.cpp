#include "logging.h"

Q_LOGGING_CATEGORY(lcLink, "orvex.link", QtWarningMsg)
Q_LOGGING_CATEGORY(lcFiles, "orvex.files", QtWarningMsg)
