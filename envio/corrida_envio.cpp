#include "envio/corrida_envio.h"

#include <algorithm>

#include "foundation/bitacora.h"
#include "foundation/inicio_sesion.h"
#include "foundation/reclamo.h"
#include "foundation/sql.h"
#include "foundation/ubicaciones.h"
#include "transfer/copia.h"
#include "transfer/corrida.h"
#include "transfer/recorrido.h"

namespace velmora {

ComponentesEnvio::ComponentesEnvio(Componente* propietario)
    : pDestino(propietario, "PDestino"),
      pIdfact(propietario, "PIdfact"),
      pBorrar(propietario, "PBorrar"),
      cDestino(propietario, "CDestino", pDestino, dbEnvio),
      cIdfact(propietario, "CIdfact", pIdfact, dbEnvio),
      cBorrar(propietario, "CBorrar", pBorrar, dbEnvio) {}

namespace {

const char kSinPlantilla[] = "No se pudo copiar la base de datos para el envio.";
const char kConcluido[] =
    "Proceso de envio de informaci\xF3n conclu\xED"
    "do.";

const char kSelNoEnviado[] =
    "select * from auditoria where audi_envio = 'N' order by audi_fecha, audi_hora";
const char kSelFechaBloqueo[] =
    "select CONF_VALOR from CONFIGURACION where CONF_MODULO = 'CONTABILIDAD' and "
    "CONF_CATEGORIA = 'GENERAL' and CONF_PROPIEDAD = 'FECHA DE BLOQUEO'";

std::string LeerFechaBloqueo(ConjuntoEditable& cborrar) {
    cborrar.cerrar();
    cborrar.texto(kSelFechaBloqueo);
    cborrar.abrir();
    std::string fecha = cborrar.vacio() ? std::string() : cborrar.valor(0).comoTexto();
    cborrar.cerrar();
    return fecha;
}

// The transfer file keeps every visited entry's journal row; a row it refuses makes the
// entry fail, or the entry would be marked sent while the receiver never sees it.
bool CopiarAuditoria(const Consulta& qauditor, ConjuntoEditable& cdestino) {
    cdestino.cerrar();
    cdestino.texto("SELECT * FROM AUDITORIA");
    cdestino.abrir();
    cdestino.insertar();
    CopiarCampos(qauditor, cdestino, 0);
    cdestino.publicar();
    const bool fallo = cdestino.aplicar(0) != 0;
    cdestino.cerrar();
    return fallo;
}

}  // namespace

ResultadoEnvio SpeedButton1Click(const ParametrosEnvio& p, ComponentesEnvio& c, Dialogos& dialogos,
                                 Progreso& progreso) {
    ResultadoEnvio resultado;
    if (p.textoCompaniaOrigen.empty() || p.textoCompaniaDestino.empty()) {
        dialogos.mensaje(kSinCompanias);
        return resultado;
    }
    if (const std::string rango = RangoNoValido(p.todoLoNoEnviado, p.desde, p.hasta);
        !rango.empty()) {
        dialogos.mensaje(rango);
        return resultado;
    }
    progreso.mostrar();

    const DatosAcceso& a = p.acceso;
    ConectarConClave(c.dbCia, UbicacionCompania(a.servidorOrigen, p.companiaOrigen),
                     a.usuarioOrigen, a.claveOrigen);
    // One send per origin company at a time, held until the run ends.
    const auto reclamo = ReclamarEnvio(a, p.companiaOrigen, dialogos);
    if (!reclamo) return resultado;
    // Closed before the template is copied over a transfer file it may hold open.
    c.dbEnvio.desconectar();
    // Read once for the run: a missing setting is said once, not at every line.
    const std::string instalacion = p.instalacion.empty() ? diraplicacion(dialogos) : p.instalacion;
    const Directorio directorio = [&instalacion] { return instalacion; };
    if (!p.enLinea) {
        const std::string plantilla = ArchivoPlantillaEnvio(instalacion);
        const std::string archivo = ArchivoEnvioLocal(instalacion, p.companiaDestino);
        if (!CopiarArchivo(plantilla, archivo)) {
            dialogos.mensaje(kSinPlantilla);
            resultado.sinPlantilla = true;
            return resultado;
        }
        ConectarConClave(c.dbEnvio, UbicacionEnvio(a.servidorDestino, p.companiaDestino),
                         a.usuarioDestino, a.claveDestino);
    } else {
        ConectarConClave(c.dbEnvio, UbicacionCompania(a.servidorDestino, p.companiaDestino),
                         a.usuarioDestino, a.claveDestino);
    }
    c.dbEnvio.esperaBloqueo(p.esperaBloqueo);

    // The journal is read through one snapshot, as a stream: counted first, for the progress.
    const std::string diario = SentenciaDiario(p.todoLoNoEnviado, kSelNoEnviado, p.desde, p.hasta);
    progreso.iniciar(ContarDiario(c.qCopia, diario));
    c.qAuditor.texto(diario);
    c.qAuditor.abrirFlujo();
    resultado.iniciado = true;

    OpcionesCopia opciones;
    opciones.enLinea = p.enLinea;
    opciones.reemplazar = p.reemplazar;
    opciones.fechaBloqueo = LeerFechaBloqueo(c.cBorrar);

    ComponentesCopia copia{c.qCopia, c.qCopiadet, c.cDestino, c.cIdfact, c.qcopiades};
    MarcasDiario marcas(c.trmarcas, c.qMarcas, p.esperaBloqueo);
    Recorrido recorrido{c.qAuditor, c.dbEnvio,  copia,       opciones,  p.tipos, p.prefijo,
                        p.detencion, dialogos,  progreso,    directorio, a.usuarioOrigen};
    recorrido.trazar = [&](const EntradaAuditoria& e) {
        archivo_auditoria(directorio, std::to_string(e.id), std::to_string(e.tipo), e.codigo);
    };
    recorrido.marcas = &marcas;
    recorrido.marcarAlFinal = !p.enLinea;
    if (!p.enLinea) recorrido.copiarAuditoria = [&] { return CopiarAuditoria(c.qAuditor, c.cDestino); };
    const ConteoRecorrido conteo = RecorrerDiario(recorrido);

    AnotarConteo(conteo, resultado, &ResultadoEnvio::enviadas);

    c.qAuditor.cerrar();
    progreso.ocultar();
    dialogos.mensaje(MensajeConcluido(kConcluido, conteo, "Enviadas", ArchivoErrores(instalacion)));
    return resultado;
}

}  // namespace velmora
