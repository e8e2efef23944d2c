// What the receive run must do for the workload, with nothing in between: statements
// prepared once with parameters; the transfer file read in one transaction; source rows
// fetched into the client's buffers and handed to the inserts as they are (large objects
// copied); the destination's look-ups and new ids read in one read-only read-committed
// transaction; the writes of each entry in one transaction, started at its first write and
// committed when the entry is done.
#include "bench/piso_recepcion.h"

#include <map>
#include <memory>
#include <optional>

#include "bench/cliente.h"
#include "transfer/catalogo.h"

namespace velmora::banco {

namespace {

using namespace Firebird;

struct CodigoPartido {
    std::string prefijo, numero;
};
CodigoPartido Partir(const std::string& codigo) {
    if (codigo.size() <= 6) return {"", codigo};
    return {codigo.substr(0, codigo.size() - 6), codigo.substr(codigo.size() - 6)};
}

class Piso {
  public:
    Piso(const std::string& archivo, const std::string& destino)
        : archivo_(archivo), destino_(destino) {}

    Medida correr() {
        Medida m;
        traArchivo_.emplace(archivo_.get(), nullptr, 0);
        lectura_.emplace(destino_.get(), kTpbLectura, sizeof kTpbLectura);
        Preparada& diario = archivo("select * from auditoria order by audi_fecha, audi_hora");
        const std::vector<Fila> entradas = diario.leerTodas(traArchivo_->get());
        const Formato& fa = diario.salida;
        for (const Fila& f : entradas) {
            const unsigned char* a = f.data();
            const int tipo = int(Entero(fa, a, 4));
            const int64_t idDoc = EsNulo(fa, a, 5) ? 0 : Entero(fa, a, 5);
            const std::string codigo = Texto(fa, a, 7);
            ++m.entradas;
            switch (tipo) {
                case 31:
                case 61:
                    documento(*BuscarTipoDoc(tipo), idDoc, codigo);
                    break;
                case 1:
                    comprobante(idDoc);
                    break;
                case 100:
                    cuenta(codigo);
                    break;
                case 124:
                    unidades(codigo);
                    break;
                default:
                    break;  // no catalog entry: nothing to copy
            }
            if (escritura_) {
                escritura_->confirmar();
                escritura_.reset();
            }
            ++m.enviadas;
        }
        lectura_->confirmar();
        traArchivo_->confirmar();
        preparadas_.clear();
        destino_.desconectar();
        archivo_.desconectar();
        return m;
    }

  private:
    Preparada& preparar(Base& base, ITransaction* tra, const std::string& texto) {
        auto& p = preparadas_[{&base == &archivo_, texto}];
        if (!p) p = std::make_unique<Preparada>(base.get(), tra, texto);
        return *p;
    }
    Preparada& archivo(const std::string& texto) {
        return preparar(archivo_, traArchivo_->get(), texto);
    }
    Preparada& destino(const std::string& texto) {
        return preparar(destino_, lectura_->get(), texto);
    }

    // The entry's write transaction, started at its first write.
    ITransaction* escritura() {
        if (!escritura_) escritura_.emplace(destino_.get(), kTpbEscritura, sizeof kTpbEscritura);
        return escritura_->get();
    }

    void insertar(Preparada& insercion, const Formato& f, unsigned char* fila) {
        ITransaction* t = escritura();
        CopiarBlobs(f, fila, archivo_.get(), traArchivo_->get(), destino_.get(), t);
        insercion.ejecutar(t, &f, fila);
    }

    Preparada& insercion(const std::string& tabla, const Formato& f) {
        return destino("INSERT INTO " + tabla + " VALUES (" + Columnas(f.cantidad()) + ")");
    }

    int64_t nuevoId(const std::string& vista) {
        Preparada& v = destino("select * from " + vista);
        if (!v.leerUna(lectura_->get()))
            throw std::runtime_error("floor: " + vista + " gave no row");
        return Entero(v.salida, v.fila.data(), 0);
    }

    static void exigirAusente(bool hay, const std::string& que) {
        if (hay) throw std::runtime_error("floor: " + que + " is already in the destination");
    }

    // Header and detail tables under a new id, for a destination without the document.
    void documento(const DescriptorTipoDoc& t, int64_t idDoc, const std::string& codigo) {
        Preparada& fuente =
            archivo("select * from " + t.tablaEncabezado + " where " + t.columnaId + " = ?");
        PonerEntero(fuente.entrada, fuente.parametros.data(), 0, idDoc);
        if (!fuente.leerUna(traArchivo_->get())) return;
        const CodigoPartido cod = Partir(codigo);
        Preparada& busca = destino("SELECT * FROM " + t.tablaEncabezado + " WHERE " +
                                   t.columnaPrefijo + " = ? AND " + t.columnaNumero + " = ?");
        PonerTexto(busca.entrada, busca.parametros.data(), 0, cod.prefijo);
        PonerTexto(busca.entrada, busca.parametros.data(), 1, cod.numero);
        exigirAusente(busca.leerUna(lectura_->get()), codigo);
        Formato& fh = fuente.salida;
        PonerEntero(fh, fuente.fila.data(), 0, nuevoId(t.vistaNuevoId));
        const int64_t idEncabezado = Entero(fh, fuente.fila.data(), 0);
        insertar(insercion(t.tablaEncabezado, fh), fh, fuente.fila.data());
        for (size_t n = 0; n < t.detalles.size(); ++n) {
            const TablaDetalle& d = t.detalles[n];
            Preparada& det = archivo("select * from " + d.tabla + " where " + d.columnaId + " = ?");
            PonerEntero(det.entrada, det.parametros.data(), 0, idDoc);
            std::vector<Fila> filas = det.leerTodas(traArchivo_->get());
            const Formato& fd = det.salida;
            Preparada& ins = insercion(d.tabla, fd);
            for (Fila& f : filas) {
                PonerEntero(fd, f.data(), 0, idEncabezado);
                if (t.posicionEnCero >= 0) PonerEntero(fd, f.data(), unsigned(t.posicionEnCero), 0);
                if (n == 0 && t.referenciasEnPrimerDetalle) referencia(fd, f.data());
                insertar(ins, fd, f.data());
            }
        }
    }

    // The paid invoice of a receipt row, named by type (2), prefix (4) and number (5): found
    // in the destination, its id goes to position 3; otherwise the copied id stays.
    void referencia(const Formato& fd, unsigned char* fila) {
        if (EsNulo(fd, fila, 2) || Entero(fd, fila, 2) != 31) return;
        Preparada& r =
            destino("select fact_id from facturas where pref_pre = ? and fact_numero = ?");
        PonerTexto(r.entrada, r.parametros.data(), 0, Texto(fd, fila, 4));
        PonerTexto(r.entrada, r.parametros.data(), 1, Texto(fd, fila, 5));
        if (r.leerUna(lectura_->get()))
            PonerEntero(fd, fila, 3, Entero(r.salida, r.fila.data(), 0));
    }

    // A voucher with the replace flag off: looked up by the key of the source header, then
    // the header (position 8 at 0) under a new id and its details.
    void comprobante(int64_t idDoc) {
        Preparada& fuente = archivo("select * from comprobante_encabezado where enco_consec = ?");
        PonerEntero(fuente.entrada, fuente.parametros.data(), 0, idDoc);
        if (!fuente.leerUna(traArchivo_->get())) return;
        Formato& fh = fuente.salida;
        unsigned char* h = fuente.fila.data();
        Preparada& busca = destino(
            "SELECT * FROM COMPROBANTE_ENCABEZADO WHERE TICO_COD = ? AND PRCO_PREF = ? AND "
            "ENCO_NUMERO = ?");
        for (unsigned i = 0; i < 3; ++i)
            PonerTexto(busca.entrada, busca.parametros.data(), i, Texto(fh, h, i + 1));
        exigirAusente(busca.leerUna(lectura_->get()), "comprobante");
        PonerEntero(fh, h, 8, 0);
        PonerEntero(fh, h, 0, nuevoId("cambie_id_comproba"));
        const int64_t idEncabezado = Entero(fh, h, 0);
        insertar(insercion("COMPROBANTE_ENCABEZADO", fh), fh, h);
        Preparada& det = archivo("select * from comprobante_detalle where enco_consec = ?");
        PonerEntero(det.entrada, det.parametros.data(), 0, idDoc);
        std::vector<Fila> filas = det.leerTodas(traArchivo_->get());
        Preparada& ins = insercion("COMPROBANTE_DETALLE", det.salida);
        for (Fila& f : filas) {
            PonerEntero(det.salida, f.data(), 0, idEncabezado);
            insertar(ins, det.salida, f.data());
        }
    }

    void cuenta(const std::string& codigo) {
        Preparada& fuente = archivo("select * from cuentas where cuen_cod = ?");
        PonerTexto(fuente.entrada, fuente.parametros.data(), 0, codigo);
        if (!fuente.leerUna(traArchivo_->get())) return;
        Preparada& busca = destino("SELECT * FROM CUENTAS WHERE CUEN_COD = ?");
        PonerTexto(busca.entrada, busca.parametros.data(), 0, codigo);
        exigirAusente(busca.leerUna(lectura_->get()), codigo);
        insertar(insercion("CUENTAS", fuente.salida), fuente.salida, fuente.fila.data());
    }

    // Every unit row of the article, each looked up by its item key.
    void unidades(const std::string& articulo) {
        Preparada& fuente = archivo("select * from unidad_articulo where arti_cod = ?");
        PonerTexto(fuente.entrada, fuente.parametros.data(), 0, articulo);
        std::vector<Fila> filas = fuente.leerTodas(traArchivo_->get());
        const Formato& f = fuente.salida;
        Preparada& busca =
            destino("SELECT * from UNIDAD_ARTICULO where arti_cod = ? AND UNAR_UNIDAD = ?");
        Preparada& ins = insercion("UNIDAD_ARTICULO", f);
        for (Fila& fila : filas) {
            PonerTexto(busca.entrada, busca.parametros.data(), 0, articulo);
            PonerTexto(busca.entrada, busca.parametros.data(), 1, Texto(f, fila.data(), 1));
            exigirAusente(busca.leerUna(lectura_->get()), articulo);
            insertar(ins, f, fila.data());
        }
    }

    Base archivo_, destino_;
    std::optional<TransaccionCliente> traArchivo_, lectura_, escritura_;
    std::map<std::pair<bool, std::string>, std::unique_ptr<Preparada>> preparadas_;
};

}  // namespace

Medida PisoRecepcion(const std::string& archivo, const std::string& destino) {
    return Piso(archivo, destino).correr();
}

}  // namespace velmora::banco
