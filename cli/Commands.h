#pragma once

#include <QStringList>

namespace telvainn::cli {

// Each command takes the arguments after its name and returns the program's exit code.
int krypterDatafil(const QStringList& args);
int dekrypter(const QStringList& args);
int sendDatafil(const QStringList& args);
int testEpost(const QStringList& args);
int testInternett(const QStringList& args);
int historikk(const QStringList& args);
int oversikt(const QStringList& args);
int visSendt(const QStringList& args);
int versjoner(const QStringList& args);
int testExcel(const QStringList& args);
int ny(const QStringList& args);
int valider(const QStringList& args);
int lagDatafil(const QStringList& args);
int krypter(const QStringList& args);
int send(const QStringList& args);

}  // namespace telvainn::cli
