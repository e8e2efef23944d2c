#include "recepcion/corrida_desatendida.h"

#include "ctrlacceso/desatendido.h"
#include "foundation/errores.h"
#include "recepcion/corrida_recepcion.h"

namespace velmora {

namespace {

// Our own console text, never seen by the core: kept in the console's UTF-8, like the
// arguments it is about.
std::string Uso() {
    return UsoDesatendido(
        "recepcion",
        "Recibe sin ventana el archivo de envío que está en "
        "SERVIDOR_ORIGEN/datos/COMPAÑÍA_ORIGEN/\n"
        "envio.fdb (el que el envío fuera de línea preparó para esa compañía) y lo aplica a la\n"
        "compañía destino. El archivo sólo se lee.",
        "  --omitir              omite los documentos que ya existen en el destino (por omisión)\n"
        "  --reemplazar          reemplaza los documentos existentes\n",
        "recibe", "todo el envío", "bitácora de errores");
}

// The receive run with the window's components, wired like the window's so that apply
// errors reach the console.
ResultadoDesatendido Recibir(const CorridaDesatendida& corrida, Dialogos& dialogos,
                             Progreso& progreso) {
    ParametrosRecepcion p;
    p.acceso = corrida.acceso;
    p.tipos = corrida.tipos;
    p.companiaOrigen = corrida.companiaOrigen;
    p.companiaDestino = corrida.companiaDestino;
    p.reemplazar = corrida.reemplazar;
    p.todoElEnvio = corrida.desde.empty();
    p.desde = corrida.desde;
    p.hasta = corrida.hasta;
    p.prefijo = corrida.prefijo;
    p.instalacion = corrida.instalacion;
    p.esperaBloqueo = corrida.esperaBloqueo;
    p.detencion = corrida.detencion;

    Componente ventana(nullptr, "Tfprincipal");
    ComponentesRecepcion c(&ventana);
    ConfigurarProviders(ventana, dialogos);
    const ResultadoRecepcion r = SpeedButton1Click(p, c, dialogos, progreso);
    c.liberar();
    return {r.iniciado, r.visitadas, r.recibidas, r.fallidas, r.noSeleccionadas, r.interrumpido};
}

}  // namespace

std::string UsoRecepcionDesatendida() {
    return Uso();
}

int RecepcionDesatendida(const std::vector<std::string>& argumentos,
                         const std::map<std::string, std::string>& entorno, std::ostream& salida,
                         std::ostream& salidaErrores, bool terminal,
                         SolicitudDetencion* detencion) {
    const ProgramaDesatendido recepcion{"recepcion",
                                        Uso(),
                                        {},
                                        /*reemplazarPorOmision=*/false,
                                        "recibidas",
                                        Recibir};
    return EjecutarDesatendido(recepcion, argumentos, entorno, salida, salidaErrores, terminal,
                               detencion);
}

}  // namespace velmora
