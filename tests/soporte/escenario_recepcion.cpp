#include "tests/soporte/escenario_recepcion.h"

#include "foundation/errores.h"

namespace velmora::prueba {

EscenarioRecepcion::EscenarioRecepcion(Acceso acceso) : envio(acceso, {"001", "002", "003"}) {
    ConfigurarProviders(ventana, dialogos);
    parametros.companiaOrigen = "003";
    parametros.companiaDestino = "003";
    parametros.acceso = envio.parametros.acceso;
    parametros.tipos = envio.parametros.tipos;
}

ResultadoEnvio EscenarioRecepcion::prepararArchivo() {
    const ParametrosEnvio antes = envio.parametros;
    envio.parametros.enLinea = false;
    envio.parametros.companiaDestino = "003";
    const ResultadoEnvio r = envio.enviar();
    envio.parametros = antes;
    EjecutarSql(origen(), {"UPDATE AUDITORIA SET AUDI_ENVIO = 'N'"});
    return r;
}

ResultadoEnvio EscenarioRecepcion::enviarEnLinea() {
    const ParametrosEnvio antes = envio.parametros;
    envio.parametros.enLinea = true;
    const ResultadoEnvio r = envio.enviar();
    envio.parametros = antes;
    return r;
}

ResultadoRecepcion EscenarioRecepcion::recibir() {
    SinProgreso progreso;
    ResultadoRecepcion r;
    try {
        r = SpeedButton1Click(parametros, componentes, dialogos, progreso);
    } catch (...) {
        componentes.liberar();
        throw;
    }
    componentes.liberar();
    return r;
}

}  // namespace velmora::prueba
