#include "recepcion/corrida_recepcion.h"

#include "foundation/bitacora.h"
#include "foundation/inicio_sesion.h"
#include "foundation/reclamo.h"
#include "foundation/ubicaciones.h"
#include "recepcion/reglas_recepcion.h"
#include "transfer/copia.h"
#include "transfer/corrida.h"
#include "transfer/recorrido.h"

namespace velmora {

ComponentesRecepcion::ComponentesRecepcion(Componente* propietario)
    : pDestino(propietario, "PDestino"),
      pIdfact(propietario, "PIdfact"),
      cDestino(propietario, "CDestino", pDestino, dbEnvio),
      cIdfact(propietario, "CIdfact", pIdfact, dbEnvio) {}

namespace {

const char kConcluido[] =
    "Proceso de recepci\xF3n de informaci\xF3n conclu\xED"
    "do.";
const char kTodoElEnvio[] = "select * from auditoria order by audi_fecha, audi_hora";

}  // namespace

ResultadoRecepcion SpeedButton1Click(const ParametrosRecepcion& p, ComponentesRecepcion& c,
                                     Dialogos& dialogos, Progreso& progreso) {
    ResultadoRecepcion resultado;
    if (p.companiaOrigen.empty() || p.companiaDestino.empty()) {
        dialogos.mensaje(kSinCompanias);
        return resultado;
    }
    if (const std::string rango = RangoNoValido(p.todoElEnvio, p.desde, p.hasta); !rango.empty()) {
        dialogos.mensaje(rango);
        return resultado;
    }
    progreso.mostrar();
    // Read once for the run: a missing setting is said once, not at every line.
    const std::string instalacion = p.instalacion.empty() ? diraplicacion(dialogos) : p.instalacion;
    const Directorio directorio = [&instalacion] { return instalacion; };

    // The transfer file is only read.
    const DatosAcceso& a = p.acceso;
    ConectarConClave(c.dbCia, UbicacionEnvio(a.servidorOrigen, p.companiaOrigen), a.usuarioOrigen,
                     a.claveOrigen);
    // One reception of a transfer file at a time, held until the run ends.
    const auto reclamo = ReclamarRecepcion(a, p.companiaOrigen, dialogos);
    if (!reclamo) return resultado;
    ConectarConClave(c.dbEnvio, UbicacionCompania(a.servidorDestino, p.companiaDestino),
                     a.usuarioDestino, a.claveDestino);
    c.dbEnvio.esperaBloqueo(p.esperaBloqueo);

    // The journal is read through one snapshot, as a stream: counted first, for the progress.
    const std::string diario = SentenciaDiario(p.todoElEnvio, kTodoElEnvio, p.desde, p.hasta);
    progreso.iniciar(ContarDiario(c.qCopia, diario));
    c.qAuditor.texto(diario);
    c.qAuditor.abrirFlujo();
    resultado.iniciado = true;

    const OpcionesCopia opciones = OpcionesRecepcion(p.reemplazar);
    ComponentesCopia copia{c.qCopia, c.qCopiadet, c.cDestino, c.cIdfact, c.qCopiades};
    Recorrido recorrido{c.qAuditor, c.dbEnvio,  copia,       opciones,  p.tipos, p.prefijo,
                        p.detencion, dialogos,  progreso,    directorio, a.usuarioOrigen};
    recorrido.mostrarFallo = true;
    const ConteoRecorrido conteo = RecorrerDiario(recorrido);

    AnotarConteo(conteo, resultado, &ResultadoRecepcion::recibidas);

    c.qAuditor.cerrar();
    progreso.ocultar();
    dialogos.mensaje(
        MensajeConcluido(kConcluido, conteo, "Recibidas", ArchivoErrores(instalacion)));
    return resultado;
}

}  // namespace velmora
