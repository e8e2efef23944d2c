// What the send run must do for the workload, with nothing in between: statements prepared
// once with parameters, source rows fetched into the client's buffers and handed to the
// inserts as they are (large objects copied to the target); the target's look-ups and new
// ids read in one read-only read-committed transaction; the writes committed per apply or
// per entry; the marks in the origin's snapshot transaction, committed at the end, as the
// run's session close does.
#include "bench/piso_envio.h"

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
    Piso(const std::string& origen, const std::string& destino, bool enLinea,
         Confirmacion confirmacion, std::string traza)
        : enLinea_(enLinea),
          confirmacion_(confirmacion),
          traza_(std::move(traza)),
          origen_(origen),
          destino_(destino) {}

    Medida correr() {
        Medida m;
        traOrigen_.emplace(origen_.get(), nullptr, 0);  // snapshot, as Trcia
        lectura_.emplace(destino_.get(), kTpbLectura, sizeof kTpbLectura);
        {
            Preparada& bloqueo = destino(
                "select CONF_VALOR from CONFIGURACION where CONF_MODULO = 'CONTABILIDAD' and "
                "CONF_CATEGORIA = 'GENERAL' and CONF_PROPIEDAD = 'FECHA DE BLOQUEO'");
            if (bloqueo.leerUna(lectura_->get()))
                fechaBloqueo_ = Texto(bloqueo.salida, bloqueo.fila.data(), 0);
        }
        Preparada& diario =
            origen("select * from auditoria where audi_envio = 'N' order by audi_fecha, audi_hora");
        const std::vector<Fila> entradas = diario.leerTodas(traOrigen_->get());
        const Formato& fa = diario.salida;
        Preparada& copia =
            destino("INSERT INTO AUDITORIA VALUES (" + Columnas(fa.cantidad()) + ")");
        Preparada& marca = origen("UPDATE AUDITORIA SET AUDI_ENVIO = 'S' where AUDI_ID = ?");
        for (const Fila& f : entradas) {
            const unsigned char* a = f.data();
            const int64_t id = Entero(fa, a, 0);
            const int tipo = int(Entero(fa, a, 4));
            const int64_t idDoc = EsNulo(fa, a, 5) ? 0 : Entero(fa, a, 5);
            const std::string codigo = Texto(fa, a, 7);
            trazar(id, tipo, codigo);
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
            if (!enLinea_) {
                copia.ejecutar(escritura(), &fa, const_cast<unsigned char*>(a));
                escrito();
            }
            terminarEntrada();
            PonerEntero(marca.entrada, marca.parametros.data(), 0, id);
            marca.ejecutar(traOrigen_->get());
            ++m.enviadas;
        }
        lectura_->confirmar();
        traOrigen_->confirmar();
        preparadas_.clear();
        destino_.desconectar();
        origen_.desconectar();
        return m;
    }

  private:
    Preparada& preparar(Base& base, ITransaction* tra, const std::string& texto) {
        auto& p = preparadas_[{&base == &origen_, texto}];
        if (!p) p = std::make_unique<Preparada>(base.get(), tra, texto);
        return *p;
    }
    Preparada& origen(const std::string& texto) {
        return preparar(origen_, traOrigen_->get(), texto);
    }
    Preparada& destino(const std::string& texto) {
        return preparar(destino_, lectura_->get(), texto);
    }

    // The transaction of the next write: per apply a new one, per entry the entry's, started
    // at its first write.
    ITransaction* escritura() {
        if (!escritura_) escritura_.emplace(destino_.get(), kTpbEscritura, sizeof kTpbEscritura);
        return escritura_->get();
    }
    // After each write: per apply, its commit.
    void escrito() {
        if (confirmacion_ == Confirmacion::PorAplicacion) confirmarEscritura();
    }
    void terminarEntrada() { confirmarEscritura(); }
    void confirmarEscritura() {
        if (!escritura_) return;
        escritura_->confirmar();
        escritura_.reset();
    }

    // The trail line: one line appended, the file opened and closed around it.
    void trazar(int64_t id, int tipo, const std::string& codigo) {
        if (FILE* f = std::fopen(traza_.c_str(), "ab")) {
            std::fprintf(f, "02/03/26,10:00:00,%lld,%d,%s\r\n", static_cast<long long>(id), tipo,
                         codigo.c_str());
            std::fclose(f);
        }
    }

    void insertar(Preparada& insercion, const Formato& f, unsigned char* fila) {
        ITransaction* t = escritura();
        CopiarBlobs(f, fila, origen_.get(), traOrigen_->get(), destino_.get(), t);
        insercion.ejecutar(t, &f, fila);
        escrito();
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
        if (hay) throw std::runtime_error("floor: " + que + " is already in the target");
    }

    // Header and detail tables, for a target without the document (the workload creates
    // documents only).
    void documento(const DescriptorTipoDoc& t, int64_t idDoc, const std::string& codigo) {
        Preparada& fuente =
            origen("select * from " + t.tablaEncabezado + " where " + t.columnaId + " = ?");
        PonerEntero(fuente.entrada, fuente.parametros.data(), 0, idDoc);
        if (!fuente.leerUna(traOrigen_->get())) return;
        const CodigoPartido cod = Partir(codigo);
        Preparada& busca = destino("SELECT * FROM " + t.tablaEncabezado + " WHERE " +
                                   t.columnaPrefijo + " = ? AND " + t.columnaNumero + " = ?");
        PonerTexto(busca.entrada, busca.parametros.data(), 0, cod.prefijo);
        PonerTexto(busca.entrada, busca.parametros.data(), 1, cod.numero);
        exigirAusente(busca.leerUna(lectura_->get()), codigo);
        Formato& fh = fuente.salida;
        if (enLinea_) PonerEntero(fh, fuente.fila.data(), 0, nuevoId(t.vistaNuevoId));
        const int64_t idEncabezado = Entero(fh, fuente.fila.data(), 0);
        insertar(insercion(t.tablaEncabezado, fh), fh, fuente.fila.data());
        for (size_t n = 0; n < t.detalles.size(); ++n) {
            const TablaDetalle& d = t.detalles[n];
            Preparada& det = origen("select * from " + d.tabla + " where " + d.columnaId + " = ?");
            PonerEntero(det.entrada, det.parametros.data(), 0, idDoc);
            std::vector<Fila> filas = det.leerTodas(traOrigen_->get());
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

    // The paid document of a receipt row, named by type (2), prefix (4) and number (5), gets
    // its target id in position 3; 0 when the target lacks it.
    void referencia(const Formato& fd, unsigned char* fila) {
        int64_t id = 0;
        if (!EsNulo(fd, fila, 2) && Entero(fd, fila, 2) == 31) {
            Preparada& r =
                destino("select fact_id from facturas where pref_pre = ? and fact_numero = ?");
            PonerTexto(r.entrada, r.parametros.data(), 0, Texto(fd, fila, 4));
            PonerTexto(r.entrada, r.parametros.data(), 1, Texto(fd, fila, 5));
            if (r.leerUna(lectura_->get())) id = Entero(r.salida, r.fila.data(), 0);
        }
        PonerEntero(fd, fila, 3, id);
    }

    // A voucher with the replace flag on: the key probed for a voucher to remove, then
    // looked up, then the header (position 8 at 0) and its details.
    void comprobante(int64_t idDoc) {
        Preparada& fuente = origen("select * from comprobante_encabezado where enco_consec = ?");
        PonerEntero(fuente.entrada, fuente.parametros.data(), 0, idDoc);
        if (!fuente.leerUna(traOrigen_->get())) return;
        Formato& fh = fuente.salida;
        unsigned char* h = fuente.fila.data();
        if (!fechaBloqueo_.empty() && !EsNulo(fh, h, 4)) {
            unsigned a, me, d;
            fb::Util()->decodeDate(Tomar<ISC_DATE>(h + fh.desp[4]), &a, &me, &d);
            char fecha[16];
            std::snprintf(fecha, sizeof fecha, "%04u-%02u-%02u", a, me, d);
            if (std::string(fecha) < fechaBloqueo_) return;
        }
        const std::string clave = " WHERE TICO_COD = ? AND PRCO_PREF = ? AND ENCO_NUMERO = ?";
        for (const char* select : {"SELECT ENCO_CONSEC FROM COMPROBANTE_ENCABEZADO",
                                   "SELECT * FROM COMPROBANTE_ENCABEZADO"}) {
            Preparada& busca = destino(select + clave);
            for (unsigned i = 0; i < 3; ++i)
                PonerTexto(busca.entrada, busca.parametros.data(), i, Texto(fh, h, i + 1));
            exigirAusente(busca.leerUna(lectura_->get()), "comprobante");
        }
        PonerEntero(fh, h, 8, 0);
        if (enLinea_) PonerEntero(fh, h, 0, nuevoId("cambie_id_comproba"));
        const int64_t idEncabezado = Entero(fh, h, 0);
        insertar(insercion("COMPROBANTE_ENCABEZADO", fh), fh, h);
        Preparada& det = origen("select * from comprobante_detalle where enco_consec = ?");
        PonerEntero(det.entrada, det.parametros.data(), 0, idDoc);
        std::vector<Fila> filas = det.leerTodas(traOrigen_->get());
        Preparada& ins = insercion("COMPROBANTE_DETALLE", det.salida);
        for (Fila& f : filas) {
            PonerEntero(det.salida, f.data(), 0, idEncabezado);
            insertar(ins, det.salida, f.data());
        }
    }

    void cuenta(const std::string& codigo) {
        Preparada& fuente = origen("select * from cuentas where cuen_cod = ?");
        PonerTexto(fuente.entrada, fuente.parametros.data(), 0, codigo);
        if (!fuente.leerUna(traOrigen_->get())) return;
        Preparada& busca = destino("SELECT * FROM CUENTAS WHERE CUEN_COD = ?");
        PonerTexto(busca.entrada, busca.parametros.data(), 0, codigo);
        exigirAusente(busca.leerUna(lectura_->get()), codigo);
        insertar(insercion("CUENTAS", fuente.salida), fuente.salida, fuente.fila.data());
    }

    void unidades(const std::string& articulo) {
        Preparada& fuente = origen("select * from unidad_articulo where arti_cod = ?");
        PonerTexto(fuente.entrada, fuente.parametros.data(), 0, articulo);
        std::vector<Fila> filas = fuente.leerTodas(traOrigen_->get());
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

    bool enLinea_;
    Confirmacion confirmacion_;
    std::string traza_, fechaBloqueo_;
    Base origen_, destino_;
    std::optional<TransaccionCliente> traOrigen_, lectura_, escritura_;
    std::map<std::pair<bool, std::string>, std::unique_ptr<Preparada>> preparadas_;
};

}  // namespace

Medida PisoEnvio(const std::string& origen, const std::string& destino, bool enLinea,
                 Confirmacion confirmacion, const std::string& traza) {
    return Piso(origen, destino, enLinea, confirmacion, traza).correr();
}

}  // namespace velmora::banco
