#include "envio/corrida_desatendida.h"

#include <algorithm>

#include "ctrlacceso/desatendido.h"
#include "envio/corrida_envio.h"
#include "foundation/errores.h"

namespace velmora {

namespace {

// Our own console text, never seen by the core: kept in the console's UTF-8, like the
// arguments it is about.
std::string Uso() {
    return UsoDesatendido(
        "envio", "Envía sin ventana el diario de la compañía origen a la compañía destino.",
        "  --en-linea            escribe en la base de datos de la compañía destino\n"
        "  --fuera-de-linea      prepara el archivo de envío (por omisión)\n"
        "  --reemplazar          reemplaza los documentos existentes (por omisión)\n"
        "  --omitir              omite los documentos existentes\n",
        "envía", "todo lo no enviado", "bitácoras y plantilla");
}

// The sender's run with the window's components, wired like the window's so that apply
// errors reach the console.
ResultadoDesatendido Enviar(const CorridaDesatendida& corrida, Dialogos& dialogos,
                            Progreso& progreso) {
    ParametrosEnvio p;
    p.acceso = corrida.acceso;
    p.tipos = corrida.tipos;
    p.companiaOrigen = corrida.companiaOrigen;
    p.companiaDestino = corrida.companiaDestino;
    p.textoCompaniaOrigen = corrida.nombreCompaniaOrigen;
    p.textoCompaniaDestino = corrida.nombreCompaniaDestino;
    const auto& propias = corrida.opcionesPropias;
    p.enLinea = std::find(propias.begin(), propias.end(), "--en-linea") != propias.end();
    p.reemplazar = corrida.reemplazar;
    p.todoLoNoEnviado = corrida.desde.empty();
    p.desde = corrida.desde;
    p.hasta = corrida.hasta;
    p.prefijo = corrida.prefijo;
    p.instalacion = corrida.instalacion;
    p.esperaBloqueo = corrida.esperaBloqueo;
    p.detencion = corrida.detencion;

    Componente ventana(nullptr, "Tfprincipal");
    ComponentesEnvio c(&ventana);
    ConfigurarProviders(ventana, dialogos);
    const ResultadoEnvio r = SpeedButton1Click(p, c, dialogos, progreso);
    // The end of the program: the journal marks are committed here, and a failing commit
    // must not pass for a good run.
    c.liberar();
    // Not started: no companies, or the template could not be copied.
    return {r.iniciado, r.visitadas, r.enviadas, r.fallidas, r.noSeleccionadas, r.interrumpido};
}

}  // namespace

std::string UsoEnvioDesatendido() {
    return Uso();
}

int EnvioDesatendido(const std::vector<std::string>& argumentos,
                     const std::map<std::string, std::string>& entorno, std::ostream& salida,
                     std::ostream& salidaErrores, bool terminal, SolicitudDetencion* detencion) {
    const ProgramaDesatendido envio{"envio",
                                    Uso(),
                                    {{"--en-linea", "--fuera-de-linea"}},
                                    /*reemplazarPorOmision=*/true,
                                    "enviadas",
                                    Enviar};
    return EjecutarDesatendido(envio, argumentos, entorno, salida, salidaErrores, terminal,
                               detencion);
}

}  // namespace velmora
