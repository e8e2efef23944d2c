// What the receive run must do for the workload, with nothing in between: the transfer
// file's journal read whole in one transaction, and every entry copied by CopiaDirecta with
// the receiver's defaults (new ids, existing documents left, a receipt row keeping its copied
// reference where nothing is found), its writes committed when the entry is done.
#include "bench/piso_recepcion.h"

#include "bench/copia_directa.h"

namespace velmora::banco {

namespace {

class Piso : public CopiaDirecta {
  public:
    Piso(const std::string& archivo, const std::string& destino)
        : CopiaDirecta(archivo, destino, Reglas()) {}

    Medida correr() {
        Medida m;
        empezar();
        Preparada& diario = fuente("select * from auditoria order by audi_fecha, audi_hora");
        const std::vector<Fila> entradas = diario.leerTodas(traFuente_->get());
        const Formato& fa = diario.salida;
        for (const Fila& f : entradas) {
            const unsigned char* a = f.data();
            ++m.entradas;
            copiar(int(Entero(fa, a, 4)), EsNulo(fa, a, 5) ? 0 : Entero(fa, a, 5), Texto(fa, a, 7));
            terminarEntrada();
            ++m.enviadas;
        }
        terminar();
        return m;
    }

  private:
    static ReglasCopia Reglas() {
        ReglasCopia r;
        r.reemplazar = false;
        r.ceroSiFalta = false;
        return r;
    }
};

}  // namespace

Medida PisoRecepcion(const std::string& archivo, const std::string& destino) {
    return Piso(archivo, destino).correr();
}

}  // namespace velmora::banco
