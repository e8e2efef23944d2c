#include "foundation/bitacora.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <QTime>
#include <initializer_list>

#include "foundation/texto.h"
#include "foundation/ubicaciones.h"

namespace velmora {

namespace {

// One line, with the file opened and closed around it. An existing file that cannot be
// read is started afresh, like a missing one.
void AgregarLinea(const std::string& nombre, std::initializer_list<const std::string*> campos) {
    QFile archivo(RutaLocal(nombre));
    const bool existe = archivo.open(QIODevice::ReadOnly);
    archivo.close();
    const auto modo = existe ? QIODevice::WriteOnly | QIODevice::Append
                             : QIODevice::WriteOnly | QIODevice::Truncate;
    if (!archivo.open(modo)) return;
    bool primero = true;
    for (const std::string* campo : campos) {
        if (!primero) archivo.write(",", 1);
        primero = false;
        archivo.write(campo->data(), static_cast<qint64>(campo->size()));
        archivo.flush();
    }
    archivo.write("\r\n", 2);
    archivo.close();
}

Directorio DirectorioDe(Dialogos& dialogos) {
    return [&dialogos] { return diraplicacion(dialogos); };
}

}  // namespace

MarcaTiempo AhoraLocal() {
    const QLocale local = QLocale::system();
    return {AWindows1252(local.toString(QDate::currentDate(), QLocale::ShortFormat)),
            AWindows1252(local.toString(QTime::currentTime(), QLocale::LongFormat))};
}

void archivo_auditoria(const Directorio& directorio, const std::string& idAuditoria,
                       const std::string& tipo, const std::string& codigo, const Reloj& reloj) {
    const std::string nombre = ArchivoTrazaEnvio(directorio());
    const MarcaTiempo ahora = reloj();
    AgregarLinea(nombre, {&ahora.fecha, &ahora.hora, &idAuditoria, &tipo, &codigo});
}

void archivo_auditoria(Dialogos& dialogos, const std::string& idAuditoria, const std::string& tipo,
                       const std::string& codigo, const Reloj& reloj) {
    archivo_auditoria(DirectorioDe(dialogos), idAuditoria, tipo, codigo, reloj);
}

void archivo_errores(const Directorio& directorio, const std::string& usuario,
                     const std::string& mensaje, const Reloj& reloj) {
    const std::string nombre = ArchivoErrores(directorio());
    const MarcaTiempo ahora = reloj();
    AgregarLinea(nombre, {&ahora.fecha, &ahora.hora, &usuario, &mensaje});
}

void archivo_errores(Dialogos& dialogos, const std::string& usuario, const std::string& mensaje,
                     const Reloj& reloj) {
    archivo_errores(DirectorioDe(dialogos), usuario, mensaje, reloj);
}

}  // namespace velmora
