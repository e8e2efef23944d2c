// One measurement of a side, from an empty installation to the checked target: the
// installation is laid out by the calling process, the origin is filled by a child process
// of its own, and the side is timed in another child, so that neither the fill nor an
// earlier measurement weighs on its time or its peak memory.
#pragma once

#include <string>

#include "bench/cargas.h"
#include "bench/copia_directa.h"
#include "bench/medicion.h"
#include "tests/soporte/instalacion.h"

namespace velmora::banco {

using prueba::Acceso;

const char* NombreAccesoCorto(Acceso acceso);
const char* NombreModo(bool enLinea);

// Who does the work: the program's run, or a floor straight through the client.
enum class Lado {
    Corrida,
    PisoPorGrupo,       // one commit per group of entries, each entry behind a savepoint
    PisoPorEntrada,     // one commit per journal entry
    PisoPorAplicacion,  // one commit per apply
};

struct ConfiguracionEnvio {
    Acceso acceso = Acceso::Servidor;
    bool enLinea = true;
    Lote lote;
    Lado lado = Lado::Corrida;
    Agrupacion grupo;  // of the floor per group
};

// Sends the workload from company 001 to 002 of a fresh installation with the window's
// defaults (everything unsent, replace on), timed from the click to the release of both
// sessions, and checks the target and the marks.
Medida MedirEnvio(const ConfiguracionEnvio& c);

// A transfer file prepared by an offline send of the workload (the run, untimed), copied to
// `ruta`. Its check goes into the returned record.
Medida PrepararArchivo(const Lote& lote, const std::string& ruta);

struct ConfiguracionRecepcion {
    Acceso acceso = Acceso::Servidor;
    Lote lote;
    Lado lado = Lado::Corrida;
    std::string archivo;  // prepared by PrepararArchivo
    Agrupacion grupo;     // of the floor per group
};

// Receives the transfer file, laid at datos/001/envio.fdb of a fresh installation, into the
// empty company 002 with the window's defaults ("Todo el envio", existing documents left),
// timed from the click to the release of both sessions, and checks the destination.
Medida MedirRecepcion(const ConfiguracionRecepcion& c);

// A folder of the system's temporary space, removed with its contents at the end.
class CarpetaTemporal {
  public:
    CarpetaTemporal();
    ~CarpetaTemporal();
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;
    std::string ruta(const std::string& nombre) const { return raiz_ + "/" + nombre; }

  private:
    std::string raiz_;
};

}  // namespace velmora::banco
