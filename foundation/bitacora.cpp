#include "foundation/bitacora.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QTime>
#include <initializer_list>

#include "foundation/texto.h"
#include "foundation/ubicaciones.h"

namespace velmora {

namespace {

// One line, with the file opened and closed around it: one append-open (creating the file
// where missing), one write of the whole line, one close. A line that cannot be written is
// left out.
void AgregarLinea(const std::string& nombre, std::initializer_list<const std::string*> campos) {
    std::string linea;
    bool primero = true;
    for (const std::string* campo : campos) {
        if (!primero) linea += ',';
        primero = false;
        linea += *campo;
    }
    linea += "\r\n";
    const QByteArray ruta = QFile::encodeName(RutaLocal(nombre));
    const int archivo = ::open(ruta.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (archivo < 0) return;
    [[maybe_unused]] const ssize_t escrito = ::write(archivo, linea.data(), linea.size());
    ::close(archivo);
}

Directorio DirectorioDe(Dialogos& dialogos) {
    return [&dialogos] { return diraplicacion(dialogos); };
}

}  // namespace

MarcaTiempo AhoraLocal() {
    // A send writes a line an entry, many a second: the texts of a second are made once
    // (reading the locale's formats and the local time costs more than the line's write).
    thread_local qint64 segundo = -1;
    thread_local MarcaTiempo texto;
    const qint64 ahora = QDateTime::currentSecsSinceEpoch();
    if (ahora != segundo) {
        const QDateTime local = QDateTime::fromSecsSinceEpoch(ahora);
        const QLocale formato = QLocale::system();
        texto = {AWindows1252(formato.toString(local.date(), QLocale::ShortFormat)),
                 AWindows1252(formato.toString(local.time(), QLocale::LongFormat))};
        segundo = ahora;
    }
    return texto;
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
