#include "bench/cliente.h"

#include <algorithm>
#include <stdexcept>

#include "tests/soporte/instalacion.h"

namespace velmora::banco {

using namespace Firebird;

const unsigned char kTpbEscritura[5] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                        isc_tpb_rec_version, isc_tpb_wait};
const unsigned char kTpbGrupo[8] = {isc_tpb_version3,
                                    isc_tpb_write,
                                    isc_tpb_read_committed,
                                    isc_tpb_rec_version,
                                    isc_tpb_wait,
                                    isc_tpb_lock_timeout,
                                    1,
                                    kEsperaBloqueoSegundos};
const unsigned char kTpbLectura[5] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed,
                                      isc_tpb_rec_version, isc_tpb_wait};

void Formato::describir(IMessageMetadata* m) {
    meta = fb::Ref<IMessageMetadata>(m);
    fb::Estado st;
    const unsigned n = m->getCount(&st);
    for (unsigned i = 0; i < n; ++i) {
        tipo.push_back(m->getType(&st, i) & ~1u);
        largo.push_back(m->getLength(&st, i));
        desp.push_back(m->getOffset(&st, i));
        nulo.push_back(m->getNullOffset(&st, i));
    }
    tamano = m->getMessageLength(&st);
}

bool EsNulo(const Formato& f, const unsigned char* b, unsigned i) {
    return Tomar<short>(b + f.nulo[i]) != 0;
}

int64_t Entero(const Formato& f, const unsigned char* b, unsigned i) {
    const unsigned char* p = b + f.desp[i];
    switch (f.tipo[i]) {
        case SQL_SHORT:
            return Tomar<int16_t>(p);
        case SQL_LONG:
            return Tomar<int32_t>(p);
        case SQL_INT64:
            return Tomar<int64_t>(p);
        default:
            throw std::runtime_error("floor: not an integer field");
    }
}

std::string Texto(const Formato& f, const unsigned char* b, unsigned i) {
    const unsigned char* p = b + f.desp[i];
    switch (f.tipo[i]) {
        case SQL_TEXT:
            return std::string(reinterpret_cast<const char*>(p), f.largo[i]);
        case SQL_VARYING:
            return std::string(reinterpret_cast<const char*>(p + 2), Tomar<uint16_t>(p));
        default:
            throw std::runtime_error("floor: not a text field");
    }
}

void PonerEntero(const Formato& f, unsigned char* b, unsigned i, int64_t v) {
    Poner<short>(b + f.nulo[i], 0);
    unsigned char* p = b + f.desp[i];
    switch (f.tipo[i]) {
        case SQL_SHORT:
            Poner<int16_t>(p, int16_t(v));
            break;
        case SQL_LONG:
            Poner<int32_t>(p, int32_t(v));
            break;
        case SQL_INT64:
            Poner<int64_t>(p, v);
            break;
        default:
            throw std::runtime_error("floor: not an integer parameter");
    }
}

void PonerTexto(const Formato& f, unsigned char* b, unsigned i, const std::string& t) {
    Poner<short>(b + f.nulo[i], 0);
    unsigned char* p = b + f.desp[i];
    const size_t n = std::min<size_t>(t.size(), f.largo[i]);
    switch (f.tipo[i]) {
        case SQL_TEXT:
            std::memset(p, ' ', f.largo[i]);
            std::memcpy(p, t.data(), n);
            break;
        case SQL_VARYING:
            Poner<uint16_t>(p, uint16_t(n));
            std::memcpy(p + 2, t.data(), n);
            break;
        default:
            throw std::runtime_error("floor: not a text parameter");
    }
}

TransaccionCliente::TransaccionCliente(IAttachment* att, const unsigned char* tpb, unsigned largo) {
    fb::Estado st;
    t_ = fb::Ref<ITransaction>(att->startTransaction(&st, largo, tpb));
}

TransaccionCliente::~TransaccionCliente() {
    try {
        fb::Estado st;
        t_.Terminar([&](ITransaction* t) { t->rollback(&st); });
    } catch (...) {
    }
}

void TransaccionCliente::confirmar() {
    fb::Estado st;
    t_.Terminar([&](ITransaction* t) { t->commit(&st); });
}

Base::Base(const std::string& ubicacion) {
    fb::Estado st;
    IXpbBuilder* dpb = fb::Util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
    struct Desechar {
        IXpbBuilder* p;
        ~Desechar() { p->dispose(); }
    } desechar{dpb};
    dpb->insertString(&st, isc_dpb_user_name, prueba::kUsuario);
    dpb->insertString(&st, isc_dpb_password, prueba::kClave);
    dpb->insertString(&st, isc_dpb_lc_ctype, "NONE");
    dpb->insertInt(&st, isc_dpb_sql_dialect, 3);
    fb::Ref<IProvider> proveedor(fb::Maestro()->getDispatcher());
    att_ = fb::Ref<IAttachment>(proveedor->attachDatabase(
        &st, ubicacion.c_str(), dpb->getBufferLength(&st), dpb->getBuffer(&st)));
}

Base::~Base() {
    try {
        desconectar();
    } catch (...) {
    }
}

void Base::desconectar() {
    fb::Estado st;
    att_.Terminar([&](IAttachment* a) { a->detach(&st); });
}

Preparada::Preparada(IAttachment* att, ITransaction* tra, const std::string& texto) {
    fb::Estado st;
    st_ = fb::Ref<IStatement>(
        att->prepare(&st, tra, 0, texto.c_str(), 3, IStatement::PREPARE_PREFETCH_METADATA));
    entrada.describir(st_->getInputMetadata(&st));
    salida.describir(st_->getOutputMetadata(&st));
    parametros.assign(entrada.tamano, 0);
    fila.assign(salida.tamano, 0);
}

Preparada::~Preparada() {
    entrada.meta.Soltar();
    salida.meta.Soltar();
    try {
        fb::Estado st;
        st_.Terminar([&](IStatement* s) { s->free(&st); });
    } catch (...) {
    }
}

void Preparada::ejecutar(ITransaction* tra) {
    ejecutar(tra, entrada.cantidad() ? &entrada : nullptr, parametros.data());
}

void Preparada::ejecutar(ITransaction* tra, const Formato* mensaje, unsigned char* datos) {
    fb::Estado st;
    st_->execute(&st, tra, mensaje ? mensaje->meta.get() : nullptr, mensaje ? datos : nullptr,
                 nullptr, nullptr);
}

template <class F>
void Preparada::recorrer(ITransaction* tra, F&& otra) {
    fb::Estado st;
    fb::Ref<IResultSet> cursor(
        st_->openCursor(&st, tra, entrada.cantidad() ? entrada.meta.get() : nullptr,
                        entrada.cantidad() ? parametros.data() : nullptr, salida.meta.get(), 0));
    while (cursor->fetchNext(&st, fila.data()) == IStatus::RESULT_OK)
        if (!otra()) break;
    cursor.Terminar([&](IResultSet* c) { c->close(&st); });
}

bool Preparada::leerUna(ITransaction* tra) {
    bool hay = false;
    recorrer(tra, [&] {
        hay = true;
        return false;
    });
    return hay;
}

std::vector<Fila> Preparada::leerTodas(ITransaction* tra) {
    std::vector<Fila> filas;
    recorrer(tra, [&] {
        filas.push_back(fila);
        return true;
    });
    return filas;
}

Preparada::Cursor::Cursor(Preparada& p, ITransaction* tra) : p_(p) {
    fb::Estado st;
    cursor_ = fb::Ref<IResultSet>(p.st_->openCursor(
        &st, tra, p.entrada.cantidad() ? p.entrada.meta.get() : nullptr,
        p.entrada.cantidad() ? p.parametros.data() : nullptr, p.salida.meta.get(), 0));
}

Preparada::Cursor::~Cursor() {
    try {
        cerrar();
    } catch (...) {
    }
}

bool Preparada::Cursor::siguiente() {
    fb::Estado st;
    return cursor_->fetchNext(&st, p_.fila.data()) == IStatus::RESULT_OK;
}

void Preparada::Cursor::cerrar() {
    fb::Estado st;
    cursor_.Terminar([&](IResultSet* c) { c->close(&st); });
}

ISC_QUAD CopiarBlob(IAttachment* desde, ITransaction* lectura, ISC_QUAD id, IAttachment* hacia,
                    ITransaction* escritura) {
    fb::Estado st;
    fb::Ref<IBlob> leer(desde->openBlob(&st, lectura, &id, 0, nullptr));
    ISC_QUAD nuevo{};
    fb::Ref<IBlob> escribir(hacia->createBlob(&st, escritura, &nuevo, 0, nullptr));
    char trozo[32768];
    for (;;) {
        unsigned leido = 0;
        if (leer->getSegment(&st, sizeof trozo, trozo, &leido) == IStatus::RESULT_NO_DATA) break;
        escribir->putSegment(&st, leido, trozo);
    }
    leer.Terminar([&](IBlob* b) { b->close(&st); });
    escribir.Terminar([&](IBlob* b) { b->close(&st); });
    return nuevo;
}

void CopiarBlobs(const Formato& f, unsigned char* fila, IAttachment* desde, ITransaction* lectura,
                 IAttachment* hacia, ITransaction* escritura) {
    for (unsigned i = 0; i < f.cantidad(); ++i)
        if (f.tipo[i] == SQL_BLOB && !EsNulo(f, fila, i))
            Poner<ISC_QUAD>(
                fila + f.desp[i],
                CopiarBlob(desde, lectura, Tomar<ISC_QUAD>(fila + f.desp[i]), hacia, escritura));
}

std::string Columnas(size_t n) {
    std::string t;
    for (size_t i = 0; i < n; ++i) t += i ? ", ?" : "?";
    return t;
}

}  // namespace velmora::banco
