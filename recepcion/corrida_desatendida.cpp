#include "recepcion/corrida_desatendida.h"

#include "ctrlacceso/desatendido.h"
#include "foundation/errores.h"
#include "recepcion/corrida_recepcion.h"

namespace velmora {

namespace {

// Our own console text, never seen by the core: kept in the console's UTF-8, like the
// arguments it is about.
const char kUso[] = R"(Uso: recepcion --desatendido [opciones] SERVIDOR_ORIGEN COMPAÑÍA_ORIGEN
                               SERVIDOR_DESTINO COMPAÑÍA_DESTINO
     recepcion --desatendido --help

Recibe sin ventana el archivo de envío que está en SERVIDOR_ORIGEN/datos/COMPAÑÍA_ORIGEN/
envio.fdb (el que el envío fuera de línea preparó para esa compañía) y lo aplica a la compañía
destino. El archivo sólo se lee.

Opciones (por omisión, las de la ventana):
  --omitir              omite los documentos que ya existen en el destino (por omisión)
  --reemplazar          reemplaza los documentos existentes
  --desde AAAA-MM-DD    primera fecha de registro del rango, junto con --hasta
  --hasta AAAA-MM-DD    última fecha de registro del rango, junto con --desde
                        (sin rango: todo el envío)
  --prefijo P           recibe sólo los documentos de ese prefijo
  --tipos 31,33,...     recibe sólo esos tipos de documento (por omisión, todos)
  --al-fallar continuar|detener
                        respuesta a "Continuar?" cuando un documento falla
                        (por omisión, detener)
  --help                muestra este texto

Credenciales: ISC_USER e ISC_PASSWORD para el origen; ISC_USER_DESTINO e
ISC_PASSWORD_DESTINO para el destino (sin ellas, las del origen).
El directorio de instalación (bitácora de errores) se lee de la configuración.

Estado de salida: 0 sin documentos fallidos, 1 con documentos fallidos,
2 si se detuvo por un error o los argumentos son incorrectos.
)";

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

    Componente ventana(nullptr, "Tfprincipal");
    ComponentesRecepcion c(&ventana);
    ConfigurarProviders(ventana, dialogos);
    const ResultadoRecepcion r = SpeedButton1Click(p, c, dialogos, progreso);
    c.dbCia.desconectar();
    c.dbEnvio.desconectar();
    return {r.iniciado, r.fallidas};
}

}  // namespace

std::string UsoRecepcionDesatendida() {
    return kUso;
}

int RecepcionDesatendida(const std::vector<std::string>& argumentos,
                         const std::map<std::string, std::string>& entorno, std::ostream& salida,
                         std::ostream& salidaErrores, bool terminal) {
    const ProgramaDesatendido recepcion{"recepcion",
                                        kUso,
                                        {},
                                        /*reemplazarPorOmision=*/false,
                                        Recibir};
    return EjecutarDesatendido(recepcion, argumentos, entorno, salida, salidaErrores, terminal);
}

}  // namespace velmora
