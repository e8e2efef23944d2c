// What the send run must do for the workload, with nothing in between: the journal counted
// and then read row by row through the origin's snapshot, the entries' copies of
// CopiaDirecta, the trail line of every entry, offline the journal row copied into the
// transfer file. Committing per apply or per entry, the marks go into the origin's snapshot
// transaction, committed at the end, as a session close does; per group they follow their
// group: once its commit has returned, one UPDATE of the group's ids in a read-committed
// write transaction of their own, committed at once.
#include "bench/piso_envio.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "bench/copia_directa.h"

namespace velmora::banco {

namespace {

class Piso : public CopiaDirecta {
  public:
    Piso(const std::string& origen, const std::string& destino, bool enLinea,
         Confirmacion confirmacion, Agrupacion grupo, std::string traza)
        : CopiaDirecta(origen, destino, Reglas(enLinea, confirmacion, grupo)),
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
        // The count first, as the run's progress wants it.
        Preparada& cuenta = fuente("select count(*) from auditoria where audi_envio = 'N'");
        if (!cuenta.leerUna(traFuente_->get())) throw std::runtime_error("floor: no count");
        Preparada& diario =
            fuente("select * from auditoria where audi_envio = 'N' order by audi_fecha, audi_hora");
        const Formato& fa = diario.salida;
        Preparada& copia =
            destino("INSERT INTO AUDITORIA VALUES (" + Columnas(fa.cantidad()) + ")");
        Preparada& marca = fuente("UPDATE AUDITORIA SET AUDI_ENVIO = 'S' where AUDI_ID = ?");
        Preparada::Cursor entradas(diario, traFuente_->get());
        while (entradas.siguiente()) {
            unsigned char* a = diario.fila.data();
            const int64_t id = Entero(fa, a, 0);
            const int tipo = int(Entero(fa, a, 4));
            const std::string codigo = Texto(fa, a, 7);
            trazar(id, tipo, codigo);
            ++m.entradas;
            empezarEntrada();
            copiar(tipo, EsNulo(fa, a, 5) ? 0 : Entero(fa, a, 5), codigo);
            if (!enLinea_) {
                copia.ejecutar(escritura(), &fa, a);
                escrito();
            }
            const bool confirmada = terminarEntrada();
            ++m.enviadas;
            if (reglas_.confirmacion != Confirmacion::PorGrupo) {
                PonerEntero(marca.entrada, marca.parametros.data(), 0, id);
                marca.ejecutar(traFuente_->get());
                continue;
            }
            pendientes_.push_back(id);
            if (confirmada) marcarGrupo();
        }
        entradas.cerrar();
        confirmarGrupo();
        m.grupos = grupos();
        marcarGrupo();
        terminar();
        return m;
    }

  private:
    static ReglasCopia Reglas(bool enLinea, Confirmacion confirmacion, Agrupacion grupo) {
        ReglasCopia r;
        r.idsNuevos = enLinea;
        r.confirmacion = confirmacion;
        r.grupo = grupo;
        return r;
    }

    // The marks of a committed group: one statement with a parameter per entry of a full
    // group, prepared once; a shorter group repeats its last id in the free places.
    void marcarGrupo() {
        if (pendientes_.empty()) return;
        const size_t n = size_t(std::max(reglas_.grupo.entradas, 1));
        std::string texto = "UPDATE AUDITORIA SET AUDI_ENVIO = 'S' WHERE AUDI_ID IN (";
        texto += Columnas(n) + ")";
        Preparada& marcas = fuente(texto);
        for (size_t i = 0; i < n; ++i)
            PonerEntero(marcas.entrada, marcas.parametros.data(), unsigned(i),
                        pendientes_[std::min(i, pendientes_.size() - 1)]);
        TransaccionCliente t(fuente_.get(), kTpbGrupo, sizeof kTpbGrupo);
        marcas.ejecutar(t.get());
        t.confirmar();
        pendientes_.clear();
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
    std::vector<int64_t> pendientes_;  // ids of the open group's entries, to mark
};

}  // namespace

Medida PisoEnvio(const std::string& origen, const std::string& destino, bool enLinea,
                 Confirmacion confirmacion, Agrupacion grupo, const std::string& traza) {
    return Piso(origen, destino, enLinea, confirmacion, grupo, traza).correr();
}

}  // namespace velmora::banco
