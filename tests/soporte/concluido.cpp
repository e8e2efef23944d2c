#include "tests/soporte/concluido.h"

#include <gtest/gtest.h>

#include "foundation/texto.h"

namespace velmora::prueba {

std::string Concluido(Corrida corrida, const Cuentas& c, const std::string& errores) {
    const bool envio = corrida == Corrida::Envio;
    std::string m = envio ? "Proceso de envio de informaci\xF3n conclu\xED"
                            "do."
                          : "Proceso de recepci\xF3n de informaci\xF3n conclu\xED"
                            "do.";
    m += "\n\nEntradas visitadas: " + std::to_string(c.visitadas);
    m += std::string(envio ? "\nEnviadas: " : "\nRecibidas: ") + std::to_string(c.copiadas);
    m += "\nFallidas: " + std::to_string(c.fallidas);
    if (c.fallidas > 0) {
        EXPECT_FALSE(errores.empty()) << "a closing message with failures names ERRORES.TXT";
        m += " (ver " + errores + ")";
    }
    m += "\nNo seleccionadas: " + std::to_string(c.noSeleccionadas);
    if (c.interrumpido) m += "\nProceso interrumpido: detenido por el usuario.";
    return m;
}

std::string ConcluidoEnConsola(Corrida corrida, const Cuentas& c, const std::string& errores,
                               const std::string& fin) {
    std::string texto = Utf8DeWindows1252(Concluido(corrida, c, errores)) + "\n";
    texto += std::to_string(c.visitadas) + " entradas: " + std::to_string(c.copiadas) +
             (corrida == Corrida::Envio ? " enviadas, " : " recibidas, ") +
             std::to_string(c.fallidas) + " fallidas, " + std::to_string(c.noSeleccionadas) +
             " no seleccionadas\n";
    if (fin != "\n") {
        std::string conFin;
        for (char ch : texto) conFin += ch == '\n' ? fin : std::string(1, ch);
        texto = conFin;
    }
    return texto;
}

}  // namespace velmora::prueba
