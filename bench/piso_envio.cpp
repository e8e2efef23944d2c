// What the send run must do for the workload, with nothing in between: the entries' copies
// of CopiaDirecta, the trail line of every entry, offline the journal row copied into the
// transfer file, and the marks in the origin's snapshot transaction, committed at the end,
// as the run's session close does.
#include "bench/piso_envio.h"

#include <cstdio>

#include "bench/copia_directa.h"

namespace velmora::banco {

namespace {

class Piso : public CopiaDirecta {
  public:
    Piso(const std::string& origen, const std::string& destino, bool enLinea,
         Confirmacion confirmacion, std::string traza)
        : CopiaDirecta(origen, destino, Reglas(enLinea, confirmacion)),
          enLinea_(enLinea),
          traza_(std::move(traza)) {}

    Medida correr() {
        Medida m;
        empezar();
        Preparada& bloqueo = destino(
            "select CONF_VALOR from CONFIGURACION where CONF_MODULO = 'CONTABILIDAD' and "
            "CONF_CATEGORIA = 'GENERAL' and CONF_PROPIEDAD = 'FECHA DE BLOQUEO'");
        if (bloqueo.leerUna(lectura_->get()))
            reglas_.fechaBloqueo = Texto(bloqueo.salida, bloqueo.fila.data(), 0);
        Preparada& diario =
            fuente("select * from auditoria where audi_envio = 'N' order by audi_fecha, audi_hora");
        const std::vector<Fila> entradas = diario.leerTodas(traFuente_->get());
        const Formato& fa = diario.salida;
        Preparada& copia =
            destino("INSERT INTO AUDITORIA VALUES (" + Columnas(fa.cantidad()) + ")");
        Preparada& marca = fuente("UPDATE AUDITORIA SET AUDI_ENVIO = 'S' where AUDI_ID = ?");
        for (const Fila& f : entradas) {
            const unsigned char* a = f.data();
            const int64_t id = Entero(fa, a, 0);
            const int tipo = int(Entero(fa, a, 4));
            const std::string codigo = Texto(fa, a, 7);
            trazar(id, tipo, codigo);
            ++m.entradas;
            copiar(tipo, EsNulo(fa, a, 5) ? 0 : Entero(fa, a, 5), codigo);
            if (!enLinea_) {
                copia.ejecutar(escritura(), &fa, const_cast<unsigned char*>(a));
                escrito();
            }
            terminarEntrada();
            PonerEntero(marca.entrada, marca.parametros.data(), 0, id);
            marca.ejecutar(traFuente_->get());
            ++m.enviadas;
        }
        terminar();
        return m;
    }

  private:
    static ReglasCopia Reglas(bool enLinea, Confirmacion confirmacion) {
        ReglasCopia r;
        r.idsNuevos = enLinea;
        r.confirmacion = confirmacion;
        return r;
    }

    // The trail line: one line appended, the file opened and closed around it.
    void trazar(int64_t id, int tipo, const std::string& codigo) {
        if (FILE* f = std::fopen(traza_.c_str(), "ab")) {
            std::fprintf(f, "02/03/26,10:00:00,%lld,%d,%s\r\n", static_cast<long long>(id), tipo,
                         codigo.c_str());
            std::fclose(f);
        }
    }

    bool enLinea_;
    std::string traza_;
};

}  // namespace

Medida PisoEnvio(const std::string& origen, const std::string& destino, bool enLinea,
                 Confirmacion confirmacion, const std::string& traza) {
    return Piso(origen, destino, enLinea, confirmacion, traza).correr();
}

}  // namespace velmora::banco
