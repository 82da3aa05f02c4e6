#pragma once

#include <QStringList>

namespace telvainn::cli {

// Each command takes the arguments after its name and returns the program's exit code.
int krypterDatafil(const QStringList& args);
int dekrypter(const QStringList& args);

}  // namespace telvainn::cli
