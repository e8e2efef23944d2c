// A send between two companies of a test installation: the origin 001, the destination 002,
// the sender's components, recorded dialogs and the window's default choices, with every
// document type of the support database marked.
#pragma once

#include <string>
#include <vector>

#include "envio/corrida_envio.h"
#include "tests/soporte/dialogos_grabados.h"
#include "tests/soporte/instalacion.h"

namespace velmora::prueba {

class EscenarioEnvio {
  public:
    explicit EscenarioEnvio(Acceso acceso = Acceso::Servidor,
                            std::vector<std::string> companias = {"001", "002"});

    Acceso acceso;
    Instalacion instalacion;
    DialogosGrabados dialogos;
    Componente ventana{nullptr, "Tfprincipal"};
    ComponentesEnvio componentes{&ventana};
    ParametrosEnvio parametros;

    std::string origen() const { return instalacion.compania(acceso, "001"); }
    std::string destino() const { return instalacion.compania(acceso, "002"); }
    std::string archivoEnvio() const {
        return instalacion.ubicacion(acceso, "datos/002/envio.fdb");
    }

    // Runs "Enviar", then releases the sessions as the end of the program does.
    ResultadoEnvio enviar();

    void marcarSolo(std::vector<int> codigos);  // unmarks every other type

    std::string traza() const { return LeerArchivo(instalacion.ruta("ENVIO.TXT")); }
    std::string errores() const { return LeerArchivo(instalacion.ruta("ERRORES.TXT")); }
};

// The journal row of an operation on a document, unsent unless said otherwise.
std::string Auditoria(int id, int tipo, int idDocumento, const std::string& operacion,
                      const std::string& codigo, const std::string& fecha = "2026-03-02",
                      const std::string& hora = "10:00:00", const std::string& envio = "N",
                      const std::string& tico = "");

// A sales invoice with `detalles` detail rows (items 1..n), in the origin's ids.
std::vector<std::string> Factura(int id, const std::string& prefijo, const std::string& numero,
                                 int detalles);

// The journal marks of the origin, in the order of AUDI_ID.
std::vector<std::string> Marcas(const EscenarioEnvio& e);

// A log with the date and time of each line replaced by "F,H", which vary from run to run.
std::string SinFechas(const std::string& log);

// The values of a select, rows of texts, for compact comparisons.
std::vector<std::vector<std::string>> Textos(const std::string& ubicacion,
                                             const std::string& select);

}  // namespace velmora::prueba
