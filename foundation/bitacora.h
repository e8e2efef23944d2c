// The run logs in the installation directory: the trail of the journal entries that the
// sender visits and the log of the entries that failed to transfer.
#pragma once

#include <functional>
#include <string>

#include "foundation/dialogos.h"

namespace velmora {

// Date and time of a log line, already formatted (Windows-1252 bytes).
struct MarcaTiempo {
    std::string fecha;
    std::string hora;
};
using Reloj = std::function<MarcaTiempo()>;

// Now, in the workstation's short date and long time format.
MarcaTiempo AhoraLocal();

// Asked for the installation directory before every line.
using Directorio = std::function<std::string()>;

// Appends "date,time,journal id,type,code" to the trail. Fields are bytes, written as
// they are; a failure to write is ignored and the line is missing.
void archivo_auditoria(const Directorio& directorio, const std::string& idAuditoria,
                       const std::string& tipo, const std::string& codigo,
                       const Reloj& reloj = AhoraLocal);
// The same, asking diraplicacion for the directory.
void archivo_auditoria(Dialogos& dialogos, const std::string& idAuditoria, const std::string& tipo,
                       const std::string& codigo, const Reloj& reloj = AhoraLocal);

// Appends "date,time,user,message" to the error log; like the trail otherwise.
void archivo_errores(const Directorio& directorio, const std::string& usuario,
                     const std::string& mensaje, const Reloj& reloj = AhoraLocal);
void archivo_errores(Dialogos& dialogos, const std::string& usuario, const std::string& mensaje,
                     const Reloj& reloj = AhoraLocal);

}  // namespace velmora
