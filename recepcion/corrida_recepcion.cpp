#include "recepcion/corrida_recepcion.h"

#include "foundation/bitacora.h"
#include "foundation/inicio_sesion.h"
#include "foundation/reclamo.h"
#include "foundation/ubicaciones.h"
#include "recepcion/reglas_recepcion.h"
#include "transfer/copia.h"
#include "transfer/corrida.h"

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
    // Without both dates of the range there is nothing to select.
    if (!p.todoElEnvio && (p.desde.empty() || p.hasta.empty())) {
        dialogos.mensaje(kSinFechas);
        return resultado;
    }
    progreso.mostrar();
    // Read once for the run: a missing setting is said once, not at every line.
    const std::string instalacion = p.instalacion.empty() ? diraplicacion(dialogos) : p.instalacion;
    const Directorio directorio = [&instalacion] { return instalacion; };

    // The transfer file is only read; the companies are not checked: a location without a
    // company does not open.
    const DatosAcceso& a = p.acceso;
    ConectarConClave(c.dbCia, UbicacionEnvio(a.servidorOrigen, p.companiaOrigen), a.usuarioOrigen,
                     a.claveOrigen);
    // One reception of a transfer file at a time, held until the run ends.
    const auto reclamo = ReclamarRecepcion(a, p.companiaOrigen, dialogos);
    if (!reclamo) return resultado;
    ConectarConClave(c.dbEnvio, UbicacionCompania(a.servidorDestino, p.companiaDestino),
                     a.usuarioDestino, a.claveDestino);

    c.qAuditor.texto(SentenciaDiario(p.todoElEnvio, kTodoElEnvio, p.desde, p.hasta));
    c.qAuditor.abrir();
    resultado.iniciado = true;
    progreso.iniciar(c.qAuditor.cantidadRegistros());

    const OpcionesCopia opciones = OpcionesRecepcion(p.reemplazar);
    ComponentesCopia copia{c.qCopia, c.qCopiadet, c.cDestino, c.cIdfact, c.qCopiades};
    for (c.qAuditor.primero(); !c.qAuditor.fin(); c.qAuditor.siguiente()) {
        if (p.detencion && p.detencion->solicitada()) {
            resultado.interrumpido = true;
            break;
        }
        const EntradaAuditoria e = EntradaAuditoria::Leer(c.qAuditor);
        ++resultado.visitadas;
        progreso.avanzar();

        const TipoDocumento* tipo = TipoSeleccionado(e, p.tipos);
        if (!tipo || FiltradaPorPrefijo(e, p.prefijo)) continue;

        // The entry's work on the destination takes effect whole, at the commit below, or
        // not at all: a stopped process or an error that ends the run leaves nothing of it.
        TransaccionEntrada transaccion(c.dbEnvio);
        const bool fallo = DespacharEntrada(e, opciones, copia, transaccion, dialogos);
        transaccion.confirmar();
        if (!fallo) continue;

        ++resultado.fallidas;
        const std::string mensaje = MensajeFallo(e, *tipo);
        dialogos.mensaje(mensaje);
        archivo_errores(directorio, a.usuarioOrigen, mensaje);
        if (!dialogos.confirmar(mensaje + ". Continuar?")) {
            resultado.detenido = true;
            break;
        }
    }

    c.qAuditor.cerrar();
    progreso.ocultar();
    dialogos.mensaje(kConcluido);
    return resultado;
}

}  // namespace velmora
