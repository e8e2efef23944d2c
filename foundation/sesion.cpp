#include "foundation/sesion.h"

#include <firebird/Interface.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <list>
#include <optional>

#include "foundation/detencion.h"
#include "foundation/fb_api.h"
#include "foundation/sentencia.h"
#include "foundation/texto.h"

namespace velmora {

using namespace Firebird;

namespace {

// Statements prepared per connection. Texts with literal ids are used once; the apply's
// insert and update texts repeat for every row, so a small recently-used set is enough.
constexpr size_t kSentenciasRetenidas = 128;

const unsigned char kTpbLectura[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed,
                                     isc_tpb_rec_version, isc_tpb_wait};

bool MismoNombre(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

std::string Identificador(const std::string& nombre) {
    std::string r = "\"";
    for (char c : nombre) {
        r += c;
        if (c == '"') r += '"';
    }
    return r + "\"";
}

// Ends a transaction where its owner goes away or gives its work up, so it never throws:
// a failure means that the server has ended it already (a lost connection).
void TerminarSinFallar(ITransaction*& transaccion, bool confirmar) noexcept {
    if (!transaccion) return;
    fb::Ref<ITransaction> t(std::exchange(transaccion, nullptr));
    try {
        fb::Estado st;
        t.Terminar([&](ITransaction* x) {
            if (confirmar)
                x->commit(&st);
            else
                x->rollback(&st);
        });
    } catch (...) {
    }
}

// A transaction of the session layer's own: committed explicitly, rolled back otherwise.
class TransaccionPropia {
  public:
    explicit TransaccionPropia(ITransaction* t) : t_(t) {}
    ~TransaccionPropia() { deshacer(); }
    ITransaction* get() const { return t_; }
    void confirmar() {
        fb::Ref<ITransaction> t(std::exchange(t_, nullptr));
        fb::Estado st;
        t.Terminar([&](ITransaction* x) { x->commit(&st); });
    }
    void deshacer() noexcept { TerminarSinFallar(t_, false); }

  private:
    ITransaction* t_;
};

const Valor kNulo;

// The savepoint of an apply inside a group's transaction.
const std::string kPuntoAplicar = "SAVEPOINT APLICAR";
const std::string kVolverAlPunto = "ROLLBACK TO SAVEPOINT APLICAR";
const std::string kSoltarPunto = "RELEASE SAVEPOINT APLICAR ONLY";
// The savepoint of the entry in progress: setting it again replaces the previous entry's.
const std::string kPuntoEntrada = "SAVEPOINT ENTRADA";
const std::string kVolverAEntrada = "ROLLBACK TO SAVEPOINT ENTRADA";

}  // namespace

// ---------------------------------------------------------------- FilaLectura

std::vector<unsigned char> OpcionesLecturaConfirmada(int esperaSegundos) {
    std::vector<unsigned char> tpb = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                      isc_tpb_rec_version};
    if (esperaSegundos < 0) {
        tpb.push_back(isc_tpb_nowait);
        return tpb;
    }
    tpb.push_back(isc_tpb_wait);
    if (esperaSegundos > 0) {
        const uint32_t v = uint32_t(esperaSegundos);
        tpb.insert(tpb.end(), {isc_tpb_lock_timeout, 4, static_cast<unsigned char>(v),
                               static_cast<unsigned char>(v >> 8),
                               static_cast<unsigned char>(v >> 16),
                               static_cast<unsigned char>(v >> 24)});
    }
    return tpb;
}

int FilaLectura::posicion(std::string_view nombre) const {
    for (int i = 0; i < cantidadCampos(); ++i)
        if (MismoNombre(campo(i).nombre, nombre)) return i;
    throw ErrorBaseDatos("Field '" + std::string(nombre) + "' not found");
}

void FilaLectura::camposCambiados() {
    static std::atomic<uint64_t> ultimo{0};
    juego_ = ++ultimo;
}

// ---------------------------------------------------------------- Conexion

Conexion::Conexion(std::string nombre) : nombre_(std::move(nombre)) {}

Conexion::~Conexion() {
    liberarSentencias();
    if (atachado_) {
        fb::Ref<IAttachment> a(std::exchange(atachado_, nullptr));
        try {
            fb::Estado st;
            a.Terminar([&](IAttachment* x) { x->detach(&st); });
        } catch (...) {
        }
    }
}

IAttachment* Conexion::atachado() const {
    if (!atachado_) throw ErrorBaseDatos("Database " + nombre_ + " is not connected");
    return atachado_;
}

void Conexion::conectar() {
    if (atachado_) return;
    fb::Estado st;
    IXpbBuilder* dpb = fb::Util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
    struct Desechar {  // the builder is disposable, not reference counted
        IXpbBuilder* p;
        ~Desechar() { p->dispose(); }
    } desechar{dpb};
    // The client takes the location, the user and the password in UTF-8 when told so, and
    // otherwise in the locale's character set, which refuses what it cannot read: our
    // Windows-1252 bytes go to it converted, whatever the locale.
    const std::string ubicacion = Utf8DeWindows1252(ubicacion_);
    const std::string usuario = Utf8DeWindows1252(usuario_);
    const std::string clave = Utf8DeWindows1252(clave_);
    dpb->insertTag(&st, isc_dpb_utf8_filename);
    // Always as given, empty ones included: left out, the client would take ISC_USER and
    // ISC_PASSWORD from the environment, which may belong to another connection.
    dpb->insertBytes(&st, isc_dpb_user_name, usuario.data(), unsigned(usuario.size()));
    dpb->insertBytes(&st, isc_dpb_password, clave.data(), unsigned(clave.size()));
    dpb->insertString(&st, isc_dpb_lc_ctype, "NONE");
    dpb->insertInt(&st, isc_dpb_sql_dialect, 3);
    fb::Ref<IProvider> proveedor(fb::Maestro()->getDispatcher());
    // The client takes SIGINT and SIGTERM at its first connection attempt; a stop request
    // of the program's takes them back (nothing happens where there is none).
    struct Retomar {
        ~Retomar() { RetomarSenales(); }
    } retomar;
    try {
        atachado_ = proveedor->attachDatabase(&st, ubicacion.c_str(), dpb->getBufferLength(&st),
                                              dpb->getBuffer(&st));
    } catch (const ErrorBaseDatos& error) {
        throw ErrorConexion(error, nombre_, ubicacion_);
    }
}

void Conexion::desconectar() {
    liberarSentencias();
    if (!atachado_) return;
    fb::Ref<IAttachment> a(std::exchange(atachado_, nullptr));
    fb::Estado st;
    a.Terminar([&](IAttachment* x) { x->detach(&st); });
}

void Conexion::cancelarOperacion() noexcept {
    if (!atachado_) return;
    try {
        fb::Estado st;
        atachado_->cancelOperation(&st, fb_cancel_raise);
    } catch (...) {
        // nothing in progress, or the connection is gone: nothing to cut short
    }
}

void Conexion::liberarSentencias() noexcept {
    sinParametros_.clear();
    porTexto_.clear();
    recientes_.clear();
}

Sentencia* Conexion::preparada(const std::string& texto) {
    auto it = porTexto_.find(texto);
    if (it == porTexto_.end()) return nullptr;
    recientes_.splice(recientes_.begin(), recientes_, it->second);
    return it->second->second.get();
}

Sentencia& Conexion::preparar(ITransaction* transaccion, const std::string& texto) {
    if (Sentencia* s = preparada(texto)) {
        s->sinLiterales();
        return *s;
    }
    auto s = std::make_unique<Sentencia>(atachado(), transaccion, texto);
    if (recientes_.size() >= kSentenciasRetenidas) {
        porTexto_.erase(recientes_.back().first);
        recientes_.pop_back();
    }
    recientes_.emplace_front(texto, std::move(s));
    porTexto_[texto] = recientes_.begin();
    return *recientes_.front().second;
}

namespace {

// The server takes a parameter in the type it describes for its place, while a literal keeps
// its own: a text longer than a text column, or a number compared with a text column, would
// behave otherwise as a parameter, so such values stay literals.
bool ComoLiterales(const Mensaje& descritos, const std::vector<Valor>& valores) {
    for (size_t i = 0; i < valores.size(); ++i) {
        const Campo& c = descritos.campos[i];
        if (c.tipoSql != SQL_TEXT && c.tipoSql != SQL_VARYING) continue;
        if (valores[i].clase() != Valor::Clase::Texto) return false;
        if (valores[i].como<std::string>().size() > c.longitud) return false;
    }
    return true;
}

}  // namespace

Sentencia& Conexion::prepararTexto(ITransaction* transaccion, const std::string& texto) {
    if (monitor) monitor(texto);
    std::string plantilla;
    std::vector<Valor> valores;
    if (SepararLiterales(texto, plantilla, valores) && !sinParametros_.count(plantilla)) {
        Sentencia* s = preparada(plantilla);
        if (!s) {
            try {
                s = &preparar(transaccion, plantilla);
            } catch (const ErrorBaseDatos&) {
                // e.g. a literal in the select list, whose type only its text gives
                s = nullptr;
            }
        }
        if (s && s->entrada.cantidad() == valores.size()) {
            if (ComoLiterales(s->entrada, valores)) {
                s->fijarLiterales(valores, atachado(), transaccion);
                return *s;
            }
        } else {
            sinParametros_.insert(plantilla);
        }
    }
    return preparar(transaccion, texto);
}

ITransaction* Conexion::iniciarTransaccion(const unsigned char* tpb, unsigned largo) {
    fb::Estado st;
    return atachado()->startTransaction(&st, largo, tpb);
}

// ---------------------------------------------------------------- origin side

Transaccion::Transaccion(SesionOrigen& sesion, std::string nombre,
                         std::vector<unsigned char> opciones)
    : sesion_(sesion), nombre_(std::move(nombre)), opciones_(std::move(opciones)) {
    sesion_.transacciones_.push_back(this);
}

Transaccion::~Transaccion() {
    confirmarAlCerrar();
    auto& lista = sesion_.transacciones_;
    lista.erase(std::remove(lista.begin(), lista.end(), this), lista.end());
}

ITransaction* Transaccion::manejador() {
    // Without options of its own: snapshot, wait, read-write.
    if (!manejador_)
        manejador_ = sesion_.iniciarTransaccion(opciones_.empty() ? nullptr : opciones_.data(),
                                                unsigned(opciones_.size()));
    return manejador_;
}

void Transaccion::cerrarFlujos() noexcept {
    while (!flujos_.empty()) flujos_.back()->cerrar();
}

void Transaccion::confirmar() {
    cerrarFlujos();
    if (!manejador_) return;
    fb::Ref<ITransaction> t(std::exchange(manejador_, nullptr));
    fb::Estado st;
    t.Terminar([&](ITransaction* x) { x->commit(&st); });
}

void Transaccion::deshacer() {
    cerrarFlujos();
    if (!manejador_) return;
    fb::Ref<ITransaction> t(std::exchange(manejador_, nullptr));
    fb::Estado st;
    t.Terminar([&](ITransaction* x) { x->rollback(&st); });
}

void Transaccion::confirmarAlCerrar() noexcept {
    try {
        confirmar();
    } catch (...) {
    }
}

SesionOrigen::~SesionOrigen() {
    for (Transaccion* t : transacciones_) t->confirmarAlCerrar();
}

void SesionOrigen::desconectar() {
    for (Transaccion* t : transacciones_) t->confirmar();
    Conexion::desconectar();
}

struct Consulta::Flujo {
    std::unique_ptr<Sentencia> sentencia;
    fb::Ref<IResultSet> cursor;
    IAttachment* atachado = nullptr;
    ITransaction* transaccion = nullptr;

    ~Flujo() { cerrar(); }
    void cerrar() noexcept {
        try {
            fb::Estado st;
            cursor.Terminar([&](IResultSet* c) { c->close(&st); });
        } catch (...) {
        }
    }
};

Consulta::Consulta(Transaccion& transaccion, std::string nombre)
    : transaccion_(transaccion), nombre_(std::move(nombre)) {}

Consulta::~Consulta() {
    cerrar();
}

void Consulta::abrirFlujo() {
    cerrar();
    Conexion& sesion = transaccion_.sesion();
    if (sesion.monitor) sesion.monitor(texto_);
    auto flujo = std::make_unique<Flujo>();
    flujo->transaccion = transaccion_.manejador();
    flujo->atachado = sesion.atachado();
    flujo->sentencia = std::make_unique<Sentencia>(flujo->atachado, flujo->transaccion, texto_);
    campos_ = flujo->sentencia->salida.campos;
    flujo->cursor = flujo->sentencia->abrirCursor(flujo->transaccion);
    flujo_ = std::move(flujo);
    transaccion_.flujos_.push_back(this);
    abierta_ = true;
    finFlujo_ = false;
    siguiente();
}

void Consulta::siguiente() {
    if (!flujo_) {
        if (actual_ < cantidad_) ++actual_;
        return;
    }
    if (finFlujo_) return;
    Mensaje& salida = flujo_->sentencia->salida;
    fb::Estado st;
    if (flujo_->cursor->fetchNext(&st, salida.buffer.data()) != IStatus::RESULT_OK) {
        finFlujo_ = true;
        flujo_->cerrar();
        return;
    }
    leida_.resize(campos_.size());
    for (unsigned i = 0; i < campos_.size(); ++i)
        leida_[i] = salida.leer(i, flujo_->atachado, flujo_->transaccion);
    ++actual_;
}

void Consulta::texto(std::string valor) {
    cerrar();
    texto_ = std::move(valor);
}

void Consulta::abrir() {
    cerrar();
    Conexion& sesion = transaccion_.sesion();
    ITransaction* tra = transaccion_.manejador();
    Sentencia& s = sesion.prepararTexto(tra, texto_);
    campos_ = s.salida.campos;
    camposCambiados();
    if (s.salida.cantidad() == 0) {
        s.ejecutar(tra);
    } else if (s.salida.conObjetosGrandes()) {
        s.recorrer(sesion.atachado(), tra, [&](const std::vector<Valor>& v) {
            filas_.push_back(v);
            ++cantidad_;
        });
    } else {
        // The layout stays with the rows: the prepared statement may serve other texts later.
        formato_ = std::make_unique<Mensaje>();
        formato_->campos = s.salida.campos;
        formato_->desplazamiento = s.salida.desplazamiento;
        formato_->desplazamientoNulo = s.salida.desplazamientoNulo;
        formato_->buffer.resize(s.salida.buffer.size());
        s.recorrerMensajes(tra, [&](const unsigned char* mensaje) { guardar(mensaje); });
    }
    abierta_ = true;
    actual_ = 0;
}

void Consulta::guardar(const unsigned char* mensaje) {
    constexpr size_t kBloque = 256 * 1024;
    const size_t largo = formato_->buffer.size();
    if (cantidad_ == 0) porBloque_ = std::max<size_t>(1, kBloque / largo);
    if (cantidad_ % porBloque_ == 0) {
        bloques_.emplace_back();
        bloques_.back().reserve(porBloque_ * largo);
    }
    bloques_.back().insert(bloques_.back().end(), mensaje, mensaje + largo);
    ++cantidad_;
}

const std::vector<Valor>& Consulta::filaActual() const {
    if (flujo_) return leida_;
    if (!formato_) return filas_[actual_];
    if (filaLeida_ != actual_) {
        const size_t largo = formato_->buffer.size();
        const unsigned char* mensaje =
            bloques_[actual_ / porBloque_].data() + (actual_ % porBloque_) * largo;
        leida_.resize(campos_.size());
        for (unsigned i = 0; i < campos_.size(); ++i)
            leida_[i] = formato_->leer(i, mensaje, nullptr, nullptr);
        filaLeida_ = actual_;
    }
    return leida_;
}

void Consulta::cerrar() {
    if (flujo_) {
        auto& flujos = transaccion_.flujos_;
        flujos.erase(std::remove(flujos.begin(), flujos.end(), this), flujos.end());
        flujo_.reset();
    }
    finFlujo_ = false;
    abierta_ = false;
    filas_.clear();
    bloques_.clear();
    formato_.reset();
    leida_.clear();
    filaLeida_ = SIZE_MAX;
    campos_.clear();
    cantidad_ = 0;
    actual_ = 0;
}

void Consulta::ejecutar() {
    ITransaction* tra = transaccion_.manejador();
    transaccion_.sesion().prepararTexto(tra, texto_).ejecutar(tra);
}

const Campo& Consulta::campo(int posicion) const {
    if (posicion < 0 || posicion >= int(campos_.size()))
        throw ErrorBaseDatos(nombre_ + ": no field at position " + std::to_string(posicion));
    return campos_[posicion];
}

const Valor& Consulta::valor(int posicion) const {
    campo(posicion);
    if (fin()) return kNulo;
    return filaActual()[posicion];
}

// ---------------------------------------------------------------- target side

SesionDestino::~SesionDestino() {
    deshacerGrupo();
    terminarLectura();
}

void SesionDestino::desconectar() {
    deshacerGrupo();
    terminarLectura();
    ordenes_.clear();
    recuerdos_.clear();
    Conexion::desconectar();
}

namespace {

// The table column behind a field, or its name when there is none.
const std::string& NombreColumna(const Campo& c) {
    return c.columna.empty() ? c.nombre : c.columna;
}

std::string Lista(const std::vector<std::string>& nombres) {
    std::string r;
    for (const std::string& n : nombres) r += (r.empty() ? "" : ", ") + n;
    return r;
}

}  // namespace

const SesionDestino::OrdenColumnas& SesionDestino::ordenColumnas(
    const FilaLectura& origen, const std::vector<Campo>& destino) {
    // Keyed by both lists of columns: a table altered while connected, or another source,
    // is compared anew.
    std::string clave;
    for (int i = 0; i < origen.cantidadCampos(); ++i)
        clave += origen.campo(i).tabla + "." + NombreColumna(origen.campo(i)) + ",";
    clave += "|";
    for (const Campo& c : destino) clave += c.tabla + "." + NombreColumna(c) + ",";
    auto [it, nueva] = ordenes_.try_emplace(clave);
    OrdenColumnas& orden = it->second;
    if (!nueva) return orden;

    std::vector<int> desde;
    std::vector<bool> tomada(destino.size(), false);
    std::vector<std::string> faltanEnDestino, faltanEnOrigen;
    for (int i = 0; i < origen.cantidadCampos(); ++i) {
        const std::string& nombre = NombreColumna(origen.campo(i));
        int en = -1;
        for (size_t j = 0; j < destino.size() && en < 0; ++j)
            if (!tomada[j] && MismoNombre(NombreColumna(destino[j]), nombre)) en = int(j);
        if (en < 0) {
            faltanEnDestino.push_back(nombre);
            continue;
        }
        tomada[en] = true;
        desde.push_back(en);
    }
    for (size_t j = 0; j < destino.size(); ++j)
        if (!tomada[j]) faltanEnOrigen.push_back(NombreColumna(destino[j]));

    if (!faltanEnDestino.empty() || !faltanEnOrigen.empty()) {
        const std::string tabla = destino.empty() ? std::string() : destino[0].tabla;
        std::string texto =
            "La tabla " + tabla + " del destino no tiene las columnas de la del origen: ";
        if (!faltanEnDestino.empty())
            texto += (faltanEnDestino.size() == 1 ? "falta " : "faltan ") + Lista(faltanEnDestino) +
                     " en el destino";
        if (!faltanEnOrigen.empty())
            texto += std::string(faltanEnDestino.empty() ? "" : "; ") +
                     (faltanEnOrigen.size() == 1 ? "falta " : "faltan ") + Lista(faltanEnOrigen) +
                     " en el origen";
        orden.diferencia = texto + ".";
        return orden;
    }
    bool mismoOrden = true;
    for (size_t i = 0; i < desde.size(); ++i) mismoOrden = mismoOrden && desde[i] == int(i);
    if (!mismoOrden) orden.desde = std::move(desde);
    return orden;
}

ITransaction* SesionDestino::lectura() {
    if (enGrupo_) return transaccionGrupo();
    if (!lectura_) lectura_ = iniciarTransaccion(kTpbLectura, sizeof kTpbLectura);
    return lectura_;
}

ITransaction* SesionDestino::transaccionGrupo() {
    if (!grupo_) grupo_ = iniciarEscritura();
    return grupo_;
}

ITransaction* SesionDestino::escrituraGrupo() {
    if (!enGrupo_) return nullptr;
    ITransaction* t = transaccionGrupo();
    if (!puntoEntrada_) {
        preparar(t, kPuntoEntrada).ejecutar(t);
        puntoEntrada_ = true;
    }
    return t;
}

void SesionDestino::deshacerGrupo() noexcept {
    puntoEntrada_ = false;
    TerminarSinFallar(grupo_, false);
}

GrupoEntradas::GrupoEntradas(SesionDestino& sesion) : sesion_(sesion) {
    sesion_.deshacerGrupo();
    sesion_.enGrupo_ = true;
}

GrupoEntradas::~GrupoEntradas() {
    sesion_.deshacerGrupo();
    sesion_.enGrupo_ = false;
}

void GrupoEntradas::deshacerEntrada() {
    // An entry that wrote nothing has no savepoint, and nothing to undo.
    if (!sesion_.puntoEntrada_ || !sesion_.grupo_) return;
    sesion_.preparar(sesion_.grupo_, kVolverAEntrada).ejecutar(sesion_.grupo_);
    sesion_.puntoEntrada_ = false;
}

void GrupoEntradas::confirmar() {
    if (!sesion_.grupo_) return;
    // A commit that fails (a stop request's cancellation among others) leaves the group's
    // transaction as it was, to be committed again or rolled back: never dropped, as if done.
    fb::Estado st;
    sesion_.grupo_->commit(&st);
    sesion_.grupo_ = nullptr;  // the client has released it
    sesion_.puntoEntrada_ = false;
}

void SesionDestino::terminarLectura() noexcept {
    TerminarSinFallar(lectura_, true);
}

ITransaction* SesionDestino::iniciarEscritura() {
    const std::vector<unsigned char> tpb = OpcionesLecturaConfirmada(esperaBloqueo_);
    return iniciarTransaccion(tpb.data(), unsigned(tpb.size()));
}

void SesionDestino::ejecutar(const std::string& texto) {
    if (ITransaction* grupo = escrituraGrupo()) {
        prepararTexto(grupo, texto).ejecutar(grupo);
        return;
    }
    TransaccionPropia t(iniciarEscritura());
    prepararTexto(t.get(), texto).ejecutar(t.get());
    t.confirmar();
}

Componente::Componente(Componente* propietario, std::string nombre)
    : propietario_(propietario), nombre_(std::move(nombre)) {
    if (propietario_) propietario_->componentes_.push_back(this);
}

Componente::~Componente() {
    if (propietario_) {
        auto& lista = propietario_->componentes_;
        lista.erase(std::remove(lista.begin(), lista.end(), this), lista.end());
    }
    for (Componente* hijo : componentes_) hijo->propietario_ = nullptr;
}

struct ConjuntoEditable::Fila {
    enum class Cambio { Ninguno, Insertada, Modificada, Borrada };
    std::vector<Valor> valores;
    std::vector<Valor> originales;  // as read from the target
    std::vector<bool> asignados;
    Cambio cambio = Cambio::Ninguno;
};

ConjuntoEditable::ConjuntoEditable(Componente* propietario, std::string nombre,
                                   ProveedorAplicacion& proveedor, SesionDestino& sesion)
    : Componente(propietario, std::move(nombre)), proveedor_(&proveedor), sesion_(&sesion) {}

ConjuntoEditable::ConjuntoEditable(Componente* propietario, std::string nombre,
                                   std::vector<Campo> campos)
    : Componente(propietario, std::move(nombre)), campos_(std::move(campos)) {
    camposCambiados();
}

ConjuntoEditable::~ConjuntoEditable() = default;

void ConjuntoEditable::abrir() {
    cerrar();
    if (sesion_) {
        // Prepared now so that the fields are known; rows come at the first read.
        campos_ = sesion_->prepararTexto(sesion_->lectura(), texto_).salida.campos;
        cargado_ = false;
    } else {
        cargado_ = true;
    }
    deSentencia_.clear();
    ordenadoPara_ = 0;
    camposCambiados();
    abierto_ = true;
}

void ConjuntoEditable::ordenarComo(const FilaLectura& origen) {
    if (origen.juegoDeCampos() == ordenadoPara_ && ordenadoPara_ != 0) return;
    // A table held in memory only is filled by position.
    if (!sesion_) return;
    const SesionDestino::OrdenColumnas& orden = sesion_->ordenColumnas(origen, campos_);
    if (!orden.diferencia.empty()) throw ErrorEntrada(orden.diferencia);
    if (!orden.desde.empty()) reordenar(orden.desde);
    ordenadoPara_ = origen.juegoDeCampos();
}

void ConjuntoEditable::reordenar(const std::vector<int>& desde) {
    auto permutar = [&desde](auto& v) {
        auto antes = v;
        for (size_t i = 0; i < desde.size(); ++i) v[i] = antes[desde[i]];
    };
    permutar(campos_);
    if (deSentencia_.empty()) {
        deSentencia_ = desde;
    } else {
        permutar(deSentencia_);
    }
    // Every row held, once: posted rows, pending ones (a deleted row is only pending) and the
    // row being edited.
    std::unordered_set<Fila*> hechas;
    auto reordenarFila = [&](const std::shared_ptr<Fila>& f) {
        if (!f || !hechas.insert(f.get()).second) return;
        permutar(f->valores);
        if (!f->originales.empty()) permutar(f->originales);
        std::vector<bool> asignados = f->asignados;
        for (size_t i = 0; i < desde.size(); ++i) f->asignados[i] = asignados[desde[i]];
    };
    for (const auto& f : filas_) reordenarFila(f);
    for (const auto& f : pendientes_) reordenarFila(f);
    reordenarFila(edicion_);
    camposCambiados();
}

void ConjuntoEditable::cerrar() {
    abierto_ = false;
    filas_.clear();
    pendientes_.clear();
    edicion_.reset();
    modo_ = Modo::Navegar;
    actual_ = 0;
    cargado_ = false;
    deSentencia_.clear();
    ordenadoPara_ = 0;
    if (sesion_) campos_.clear();
}

void ConjuntoEditable::exigirAbierto() const {
    if (!abierto_)
        throw ErrorBaseDatos(nombre() + ": Cannot perform this operation on a closed dataset");
}

void ConjuntoEditable::cargarSiHaceFalta() {
    exigirAbierto();
    if (cargado_) return;
    cargado_ = true;
    ITransaction* t = sesion_->lectura();
    Sentencia& s = sesion_->prepararTexto(t, texto_);
    s.recorrer(sesion_->atachado(), t, [&](const std::vector<Valor>& leidos) {
        auto f = std::make_shared<Fila>();
        std::vector<Valor> v = leidos;
        for (size_t i = 0; i < deSentencia_.size(); ++i) v[i] = leidos[deSentencia_[i]];
        f->valores = v;
        f->originales = v;
        f->asignados.assign(v.size(), false);
        filas_.push_back(std::move(f));
    });
}

void ConjuntoEditable::ejecutar() {
    if (!sesion_) throw ErrorBaseDatos(nombre() + ": no database");
    sesion_->ejecutar(texto_);
}

bool ConjuntoEditable::vacio() {
    cargarSiHaceFalta();
    return filas_.empty();
}

int ConjuntoEditable::cantidadRegistros() {
    cargarSiHaceFalta();
    return int(filas_.size());
}

void ConjuntoEditable::primero() {
    cargarSiHaceFalta();
    if (modo_ != Modo::Navegar) publicar();
    actual_ = 0;
}

void ConjuntoEditable::siguiente() {
    cargarSiHaceFalta();
    if (modo_ != Modo::Navegar) publicar();
    if (actual_ < filas_.size()) ++actual_;
}

bool ConjuntoEditable::fin() {
    cargarSiHaceFalta();
    return actual_ >= filas_.size();
}

const Campo& ConjuntoEditable::campo(int posicion) const {
    if (posicion < 0 || posicion >= int(campos_.size()))
        throw ErrorBaseDatos(nombre() + ": no field at position " + std::to_string(posicion));
    return campos_[posicion];
}

const ConjuntoEditable::Fila* ConjuntoEditable::filaActualSiHay() const {
    if (modo_ != Modo::Navegar) return edicion_.get();
    // Reading the rows is logically const: they are fetched at the first read.
    const_cast<ConjuntoEditable*>(this)->cargarSiHaceFalta();
    return actual_ < filas_.size() ? filas_[actual_].get() : nullptr;
}

const Valor& ConjuntoEditable::valor(int posicion) const {
    campo(posicion);
    const Fila* f = filaActualSiHay();
    return f ? f->valores[posicion] : kNulo;
}

void ConjuntoEditable::asignar(int posicion, const Valor& v) {
    const Campo& c = campo(posicion);
    if (modo_ == Modo::Navegar)
        throw ErrorBaseDatos(nombre() + ": Dataset not in edit or insert mode");
    edicion_->valores[posicion] = AjustarA(c, v);
    edicion_->asignados[posicion] = true;
}

void ConjuntoEditable::fallaFila(const GanchoFila& gancho, const ErrorBaseDatos& error) {
    if (!gancho) throw error;
    gancho(*this, error);
    throw AbortoSilencioso();
}

void ConjuntoEditable::insertar() {
    exigirAbierto();
    if (modo_ != Modo::Navegar) publicar();
    // A set changed before any read keeps only the rows added here.
    cargado_ = true;
    edicion_ = std::make_shared<Fila>();
    edicion_->valores.assign(campos_.size(), Valor());
    edicion_->asignados.assign(campos_.size(), false);
    edicion_->cambio = Fila::Cambio::Insertada;
    modo_ = Modo::Insertar;
}

void ConjuntoEditable::editar() {
    cargarSiHaceFalta();
    if (modo_ != Modo::Navegar) return;
    if (actual_ >= filas_.size())
        fallaFila(alFallarEditar,
                  ErrorBaseDatos("Cannot perform this operation on an empty dataset"));
    edicion_ = std::make_shared<Fila>(*filas_[actual_]);
    modo_ = Modo::Editar;
}

void ConjuntoEditable::publicar() {
    if (modo_ == Modo::Navegar) return;
    for (size_t i = 0; i < campos_.size(); ++i) {
        if (campos_[i].requerido() && edicion_->valores[i].esNulo())
            fallaFila(alFallarPublicar,
                      ErrorBaseDatos("Field '" + campos_[i].nombre + "' must have a value"));
    }
    if (modo_ == Modo::Insertar) {
        filas_.push_back(edicion_);
        actual_ = filas_.size() - 1;
        pendientes_.push_back(edicion_);
    } else {
        Fila& f = *filas_[actual_];
        f.valores = edicion_->valores;
        for (size_t i = 0; i < f.asignados.size(); ++i)
            f.asignados[i] = f.asignados[i] || edicion_->asignados[i];
        if (f.cambio == Fila::Cambio::Ninguno) {
            f.cambio = Fila::Cambio::Modificada;
            pendientes_.push_back(filas_[actual_]);
        }
    }
    edicion_.reset();
    modo_ = Modo::Navegar;
}

void ConjuntoEditable::cancelar() {
    edicion_.reset();
    modo_ = Modo::Navegar;
}

void ConjuntoEditable::borrar() {
    cargarSiHaceFalta();
    if (modo_ == Modo::Insertar) {
        cancelar();
        return;
    }
    cancelar();
    if (actual_ >= filas_.size())
        fallaFila(alFallarBorrar,
                  ErrorBaseDatos("Cannot perform this operation on an empty dataset"));
    std::shared_ptr<Fila> f = filas_[actual_];
    filas_.erase(filas_.begin() + actual_);
    if (f->cambio == Fila::Cambio::Insertada) {
        pendientes_.erase(std::remove(pendientes_.begin(), pendientes_.end(), f),
                          pendientes_.end());
        return;
    }
    if (f->cambio == Fila::Cambio::Ninguno) pendientes_.push_back(f);
    f->cambio = Fila::Cambio::Borrada;
}

std::string ConjuntoEditable::tablaDeActualizacion() const {
    // The table named after the first FROM of the statement text.
    const std::string& t = texto_;
    for (size_t i = 0; i + 4 <= t.size(); ++i) {
        bool inicio =
            i == 0 || !(std::isalnum(static_cast<unsigned char>(t[i - 1])) || t[i - 1] == '_');
        if (!inicio || !MismoNombre(std::string_view(t).substr(i, 4), "FROM")) continue;
        size_t j = i + 4;
        if (j < t.size() && !std::isspace(static_cast<unsigned char>(t[j]))) continue;
        while (j < t.size() && std::isspace(static_cast<unsigned char>(t[j]))) ++j;
        if (j < t.size() && t[j] == '"') {
            size_t fin = t.find('"', j + 1);
            if (fin != std::string::npos) return t.substr(j, fin - j + 1);
        }
        std::string nombre;
        while (j < t.size() &&
               (std::isalnum(static_cast<unsigned char>(t[j])) || t[j] == '_' || t[j] == '$'))
            nombre += char(std::toupper(static_cast<unsigned char>(t[j++])));
        if (!nombre.empty()) return Identificador(nombre);
    }
    if (!campos_.empty() && !campos_[0].tabla.empty()) return Identificador(campos_[0].tabla);
    throw ErrorBaseDatos(nombre() + ": Unable to find table name in the statement");
}

void ConjuntoEditable::aplicarCambio(ITransaction* tra, const std::string& tabla,
                                     const Fila& fila) {
    std::string texto;
    std::vector<const Valor*> parametros;
    auto condicion = [&]() {
        // Every column as it was read, except large objects and very long columns.
        std::string donde;
        for (size_t i = 0; i < campos_.size(); ++i) {
            const Campo& c = campos_[i];
            if (c.columna.empty() || c.tipoSql == SQL_BLOB || c.longitud >= 8192) continue;
            donde += donde.empty() ? " WHERE " : " AND ";
            if (fila.originales[i].esNulo()) {
                donde += Identificador(c.columna) + " IS NULL";
            } else {
                donde += Identificador(c.columna) + " = ?";
                parametros.push_back(&fila.originales[i]);
            }
        }
        return donde;
    };
    switch (fila.cambio) {
        case Fila::Cambio::Insertada: {
            std::string columnas, marcas;
            for (size_t i = 0; i < campos_.size(); ++i) {
                if (!fila.asignados[i] || campos_[i].columna.empty()) continue;
                columnas += (columnas.empty() ? "" : ", ") + Identificador(campos_[i].columna);
                marcas += marcas.empty() ? "?" : ", ?";
                parametros.push_back(&fila.valores[i]);
            }
            texto = "INSERT INTO " + tabla + " (" + columnas + ") VALUES (" + marcas + ")";
            break;
        }
        case Fila::Cambio::Modificada: {
            std::string asignaciones;
            for (size_t i = 0; i < campos_.size(); ++i) {
                if (!fila.asignados[i] || campos_[i].columna.empty()) continue;
                asignaciones +=
                    (asignaciones.empty() ? "" : ", ") + Identificador(campos_[i].columna) + " = ?";
                parametros.push_back(&fila.valores[i]);
            }
            if (asignaciones.empty()) return;
            texto = "UPDATE " + tabla + " SET " + asignaciones;
            texto += condicion();
            break;
        }
        case Fila::Cambio::Borrada:
            texto = "DELETE FROM " + tabla;
            texto += condicion();
            break;
        case Fila::Cambio::Ninguno:
            return;
    }
    Sentencia& s = sesion_->preparar(tra, texto);
    for (unsigned i = 0; i < s.entrada.cantidad() && i < parametros.size(); ++i)
        s.entrada.escribir(i, *parametros[i], sesion_->atachado(), tra);
    if (fila.cambio == Fila::Cambio::Insertada) {
        s.ejecutar(tra);  // an insert that does not fail has written its row
        return;
    }
    uint64_t afectadas = s.ejecutarContando(tra);
    if (afectadas == 0) throw ErrorBaseDatos("Registro no encontrado o cambiado por otro usuario");
    if (afectadas > 1)
        throw ErrorBaseDatos("La actualizaci\xF3n afect\xF3 a m\xE1s de un registro.");
}

std::optional<ConjuntoEditable::Fallo> ConjuntoEditable::aplicarCambios(ITransaction* tra) {
    const std::string tabla = tablaDeActualizacion();
    for (const auto& f : pendientes_) {
        try {
            aplicarCambio(tra, tabla, *f);
        } catch (const ErrorBaseDatos& error) {
            return Fallo{error, f->cambio == Fila::Cambio::Insertada ? TipoActualizacion::Insertar
                                : f->cambio == Fila::Cambio::Borrada
                                    ? TipoActualizacion::Borrar
                                    : TipoActualizacion::Modificar};
        }
    }
    return std::nullopt;
}

int ConjuntoEditable::aplicar(int /*maximoErrores: always 0 here*/) {
    if (modo_ != Modo::Navegar) publicar();
    if (pendientes_.empty()) return 0;
    std::optional<Fallo> fallo;
    if (!sesion_) {
        // A table held in memory only: nothing to write back.
    } else if (ITransaction* grupo = sesion_->escrituraGrupo()) {
        // The server undoes a failing statement by itself; a savepoint is needed only where
        // the apply is more than one insert (an update that touched two rows must go too).
        const bool unaInsercion =
            pendientes_.size() == 1 && pendientes_.front()->cambio == Fila::Cambio::Insertada;
        if (!unaInsercion) sesion_->preparar(grupo, kPuntoAplicar).ejecutar(grupo);
        fallo = aplicarCambios(grupo);
        if (!unaInsercion)
            sesion_->preparar(grupo, fallo ? kVolverAlPunto : kSoltarPunto).ejecutar(grupo);
    } else {
        TransaccionPropia t(sesion_->iniciarEscritura());
        fallo = aplicarCambios(t.get());
        if (fallo)
            t.deshacer();
        else
            t.confirmar();
    }
    // Another user's lock and a stop are the run's to handle, not a refused change.
    if (fallo && (fallo->error.esBloqueo() || fallo->error.esCancelacion())) throw fallo->error;
    if (fallo) {
        // Nothing of this apply stays; the hook shows the error and stops it here.
        if (proveedor_->alFallarActualizacion)
            proveedor_->alFallarActualizacion(*proveedor_, *this, fallo->error, fallo->tipo);
        return 1;
    }
    for (const auto& f : pendientes_) {
        f->originales = f->valores;
        f->asignados.assign(f->valores.size(), false);
        f->cambio = Fila::Cambio::Ninguno;
    }
    pendientes_.clear();
    return 0;
}

// ---------------------------------------------------------------- CopiarCampos

void CopiarCampos(const FilaLectura& origen, ConjuntoEditable& destino, int primera) {
    destino.ordenarComo(origen);
    for (int p = primera; p < destino.cantidadCampos(); ++p) {
        if (p >= origen.cantidadCampos())
            throw ErrorBaseDatos("The source row has no field at position " + std::to_string(p) +
                                 " for " + destino.campo(p).nombre);
        if (destino.tipoDato(p) == TipoDato::FMTBcd)
            destino.asignarMoneda(p, origen.valor(p).comoMoneda());
        else
            destino.asignar(p, origen.valor(p));
    }
}

void CopiarValores(const FilaLectura& origen, ConjuntoEditable& destino) {
    destino.ordenarComo(origen);
    for (int p = 0; p < destino.cantidadCampos(); ++p) {
        if (p >= origen.cantidadCampos())
            throw ErrorBaseDatos("The source row has no field at position " + std::to_string(p) +
                                 " for " + destino.campo(p).nombre);
        destino.asignar(p, origen.valor(p));
    }
}

}  // namespace velmora
