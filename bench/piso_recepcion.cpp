// What the receive run must do for the workload, with nothing in between: the transfer
// file's journal counted and then read row by row in one transaction, and every entry copied
// by CopiaDirecta with the receiver's defaults (new ids, existing documents left, a receipt
// row keeping its copied reference where nothing is found), its writes committed per apply,
// per entry, or per group of entries each behind its savepoint.
#include "bench/piso_recepcion.h"

#include <stdexcept>

#include "bench/copia_directa.h"

namespace velmora::banco {

namespace {

class Piso : public CopiaDirecta {
  public:
    Piso(const std::string& archivo, const std::string& destino, Confirmacion confirmacion,
         Agrupacion grupo)
        : CopiaDirecta(archivo, destino, Reglas(confirmacion, grupo)) {}

    Medida correr() {
        Medida m;
        empezar();
        // The count first, as the run's progress wants it.
        Preparada& cuenta = fuente("select count(*) from auditoria");
        if (!cuenta.leerUna(traFuente_->get())) throw std::runtime_error("floor: no count");
        Preparada& diario = fuente("select * from auditoria order by audi_fecha, audi_hora");
        const Formato& fa = diario.salida;
        Preparada::Cursor entradas(diario, traFuente_->get());
        while (entradas.siguiente()) {
            const unsigned char* a = diario.fila.data();
            ++m.entradas;
            empezarEntrada();
            copiar(int(Entero(fa, a, 4)), EsNulo(fa, a, 5) ? 0 : Entero(fa, a, 5), Texto(fa, a, 7));
            terminarEntrada();
            ++m.enviadas;
        }
        entradas.cerrar();
        confirmarGrupo();
        m.grupos = grupos();
        terminar();
        return m;
    }

  private:
    static ReglasCopia Reglas(Confirmacion confirmacion, Agrupacion grupo) {
        ReglasCopia r;
        r.reemplazar = false;
        r.ceroSiFalta = false;
        r.confirmacion = confirmacion;
        r.grupo = grupo;
        return r;
    }
};

}  // namespace

Medida PisoRecepcion(const std::string& archivo, const std::string& destino,
                     Confirmacion confirmacion, Agrupacion grupo) {
    return Piso(archivo, destino, confirmacion, grupo).correr();
}

}  // namespace velmora::banco
