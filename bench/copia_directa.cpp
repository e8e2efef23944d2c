#include "bench/copia_directa.h"

#include <cstdio>
#include <stdexcept>

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

void ExigirAusente(bool hay, const std::string& que) {
    if (hay) throw std::runtime_error("floor: " + que + " is already in the target");
}

}  // namespace

CopiaDirecta::CopiaDirecta(const std::string& fuente, const std::string& destino,
                           ReglasCopia reglas)
    : fuente_(fuente), destino_(destino), reglas_(std::move(reglas)) {}

CopiaDirecta::~CopiaDirecta() = default;

void CopiaDirecta::empezar() {
    traFuente_.emplace(fuente_.get(), nullptr, 0);  // snapshot, as Trcia
    lectura_.emplace(destino_.get(), kTpbLectura, sizeof kTpbLectura);
}

void CopiaDirecta::terminar() {
    lectura_->confirmar();
    traFuente_->confirmar();
    preparadas_.clear();
    destino_.desconectar();
    fuente_.desconectar();
}

Preparada& CopiaDirecta::preparar(Base& base, ITransaction* tra, const std::string& texto) {
    auto& p = preparadas_[{&base == &fuente_, texto}];
    if (!p) p = std::make_unique<Preparada>(base.get(), tra, texto);
    return *p;
}

Preparada& CopiaDirecta::fuente(const std::string& texto) {
    return preparar(fuente_, traFuente_->get(), texto);
}

Preparada& CopiaDirecta::destino(const std::string& texto) {
    return preparar(destino_, lectura_->get(), texto);
}

ITransaction* CopiaDirecta::lecturaDestino() {
    return reglas_.confirmacion == Confirmacion::PorGrupo ? escritura() : lectura_->get();
}

ITransaction* CopiaDirecta::escritura() {
    if (!escritura_) {
        if (reglas_.confirmacion == Confirmacion::PorGrupo)
            escritura_.emplace(destino_.get(), kTpbGrupo, sizeof kTpbGrupo);
        else
            escritura_.emplace(destino_.get(), kTpbEscritura, sizeof kTpbEscritura);
    }
    return escritura_->get();
}

void CopiaDirecta::escrito() {
    if (reglas_.confirmacion == Confirmacion::PorAplicacion) confirmarEscritura();
}

void CopiaDirecta::empezarEntrada() {
    if (reglas_.confirmacion != Confirmacion::PorGrupo) return;
    if (!escritura_) {
        entradasEnGrupo_ = 0;
        inicioGrupo_ = std::chrono::steady_clock::now();
    }
    ITransaction* t = escritura();
    destino("SAVEPOINT ENTRADA").ejecutar(t);
}

bool CopiaDirecta::terminarEntrada() {
    if (reglas_.confirmacion != Confirmacion::PorGrupo) {
        confirmarEscritura();
        return true;
    }
    if (++entradasEnGrupo_ < reglas_.grupo.entradas &&
        std::chrono::steady_clock::now() - inicioGrupo_ < reglas_.grupo.duracion)
        return false;
    return confirmarGrupo();
}

bool CopiaDirecta::confirmarGrupo() {
    const bool habia = escritura_.has_value();
    confirmarEscritura();
    if (habia) ++grupos_;
    entradasEnGrupo_ = 0;
    return habia;
}

void CopiaDirecta::confirmarEscritura() {
    if (!escritura_) return;
    escritura_->confirmar();
    escritura_.reset();
}

void CopiaDirecta::insertar(Preparada& insercion, const Formato& f, unsigned char* fila) {
    ITransaction* t = escritura();
    CopiarBlobs(f, fila, fuente_.get(), traFuente_->get(), destino_.get(), t);
    insercion.ejecutar(t, &f, fila);
    escrito();
}

Preparada& CopiaDirecta::insercion(const std::string& tabla, const Formato& f) {
    return destino("INSERT INTO " + tabla + " VALUES (" + Columnas(f.cantidad()) + ")");
}

int64_t CopiaDirecta::nuevoId(const std::string& vista) {
    Preparada& v = destino("select * from " + vista);
    if (!v.leerUna(lecturaDestino())) throw std::runtime_error("floor: " + vista + " gave no row");
    return Entero(v.salida, v.fila.data(), 0);
}

void CopiaDirecta::copiar(int tipo, int64_t idDoc, const std::string& codigo) {
    switch (tipo) {
        case 31:
        case 61:
            documento(tipo, idDoc, codigo);
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
}

// Header and detail tables, for a target without the document.
void CopiaDirecta::documento(int tipo, int64_t idDoc, const std::string& codigo) {
    const DescriptorTipoDoc& t = *BuscarTipoDoc(tipo);
    Preparada& encabezado =
        fuente("select * from " + t.tablaEncabezado + " where " + t.columnaId + " = ?");
    PonerEntero(encabezado.entrada, encabezado.parametros.data(), 0, idDoc);
    if (!encabezado.leerUna(traFuente_->get())) return;
    const CodigoPartido cod = Partir(codigo);
    Preparada& busca = destino("SELECT * FROM " + t.tablaEncabezado + " WHERE " + t.columnaPrefijo +
                               " = ? AND " + t.columnaNumero + " = ?");
    PonerTexto(busca.entrada, busca.parametros.data(), 0, cod.prefijo);
    PonerTexto(busca.entrada, busca.parametros.data(), 1, cod.numero);
    ExigirAusente(busca.leerUna(lecturaDestino()), codigo);
    Formato& fh = encabezado.salida;
    if (reglas_.idsNuevos) PonerEntero(fh, encabezado.fila.data(), 0, nuevoId(t.vistaNuevoId));
    const int64_t idEncabezado = Entero(fh, encabezado.fila.data(), 0);
    insertar(insercion(t.tablaEncabezado, fh), fh, encabezado.fila.data());
    for (size_t n = 0; n < t.detalles.size(); ++n) {
        const TablaDetalle& d = t.detalles[n];
        Preparada& det = fuente("select * from " + d.tabla + " where " + d.columnaId + " = ?");
        PonerEntero(det.entrada, det.parametros.data(), 0, idDoc);
        std::vector<Fila> filas = det.leerTodas(traFuente_->get());
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

// The paid invoice of a receipt row, named by type (2), prefix (4) and number (5): found in
// the target, its id goes to position 3; otherwise 0, or the copied id for the receiver.
void CopiaDirecta::referencia(const Formato& fd, unsigned char* fila) {
    bool hay = false;
    if (!EsNulo(fd, fila, 2) && Entero(fd, fila, 2) == 31) {
        Preparada& r =
            destino("select fact_id from facturas where pref_pre = ? and fact_numero = ?");
        PonerTexto(r.entrada, r.parametros.data(), 0, Texto(fd, fila, 4));
        PonerTexto(r.entrada, r.parametros.data(), 1, Texto(fd, fila, 5));
        hay = r.leerUna(lecturaDestino());
        if (hay) PonerEntero(fd, fila, 3, Entero(r.salida, r.fila.data(), 0));
    }
    if (!hay && reglas_.ceroSiFalta) PonerEntero(fd, fila, 3, 0);
}

// A voucher: the lock date checked, with the replace flag on the key probed for vouchers to
// remove, then looked up; the header (position 8 at 0) and its details.
void CopiaDirecta::comprobante(int64_t idDoc) {
    Preparada& encabezado = fuente("select * from comprobante_encabezado where enco_consec = ?");
    PonerEntero(encabezado.entrada, encabezado.parametros.data(), 0, idDoc);
    if (!encabezado.leerUna(traFuente_->get())) return;
    Formato& fh = encabezado.salida;
    unsigned char* h = encabezado.fila.data();
    if (!reglas_.fechaBloqueo.empty() && !EsNulo(fh, h, 4)) {
        unsigned a, me, d;
        fb::Util()->decodeDate(Tomar<ISC_DATE>(h + fh.desp[4]), &a, &me, &d);
        char fecha[16];
        std::snprintf(fecha, sizeof fecha, "%04u-%02u-%02u", a % 10000, me % 100, d % 100);
        if (std::string(fecha) < reglas_.fechaBloqueo) return;
    }
    const std::string clave = " WHERE TICO_COD = ? AND PRCO_PREF = ? AND ENCO_NUMERO = ?";
    std::vector<std::string> busquedas;
    if (reglas_.reemplazar) busquedas.push_back("SELECT ENCO_CONSEC FROM COMPROBANTE_ENCABEZADO");
    busquedas.push_back("SELECT * FROM COMPROBANTE_ENCABEZADO");
    for (const std::string& select : busquedas) {
        Preparada& busca = destino(select + clave);
        for (unsigned i = 0; i < 3; ++i)
            PonerTexto(busca.entrada, busca.parametros.data(), i, Texto(fh, h, i + 1));
        ExigirAusente(busca.leerUna(lecturaDestino()), "comprobante");
    }
    PonerEntero(fh, h, 8, 0);
    if (reglas_.idsNuevos) PonerEntero(fh, h, 0, nuevoId("cambie_id_comproba"));
    const int64_t idEncabezado = Entero(fh, h, 0);
    insertar(insercion("COMPROBANTE_ENCABEZADO", fh), fh, h);
    Preparada& det = fuente("select * from comprobante_detalle where enco_consec = ?");
    PonerEntero(det.entrada, det.parametros.data(), 0, idDoc);
    std::vector<Fila> filas = det.leerTodas(traFuente_->get());
    Preparada& ins = insercion("COMPROBANTE_DETALLE", det.salida);
    for (Fila& f : filas) {
        PonerEntero(det.salida, f.data(), 0, idEncabezado);
        insertar(ins, det.salida, f.data());
    }
}

void CopiaDirecta::cuenta(const std::string& codigo) {
    Preparada& registro = fuente("select * from cuentas where cuen_cod = ?");
    PonerTexto(registro.entrada, registro.parametros.data(), 0, codigo);
    if (!registro.leerUna(traFuente_->get())) return;
    Preparada& busca = destino("SELECT * FROM CUENTAS WHERE CUEN_COD = ?");
    PonerTexto(busca.entrada, busca.parametros.data(), 0, codigo);
    ExigirAusente(busca.leerUna(lecturaDestino()), codigo);
    insertar(insercion("CUENTAS", registro.salida), registro.salida, registro.fila.data());
}

// Every unit row of the article, each looked up by its item key.
void CopiaDirecta::unidades(const std::string& articulo) {
    Preparada& filasArticulo = fuente("select * from unidad_articulo where arti_cod = ?");
    PonerTexto(filasArticulo.entrada, filasArticulo.parametros.data(), 0, articulo);
    std::vector<Fila> filas = filasArticulo.leerTodas(traFuente_->get());
    const Formato& f = filasArticulo.salida;
    Preparada& busca =
        destino("SELECT * from UNIDAD_ARTICULO where arti_cod = ? AND UNAR_UNIDAD = ?");
    Preparada& ins = insercion("UNIDAD_ARTICULO", f);
    for (Fila& fila : filas) {
        PonerTexto(busca.entrada, busca.parametros.data(), 0, articulo);
        PonerTexto(busca.entrada, busca.parametros.data(), 1, Texto(f, fila.data(), 1));
        ExigirAusente(busca.leerUna(lecturaDestino()), articulo);
        insertar(ins, f, fila.data());
    }
}

}  // namespace velmora::banco
