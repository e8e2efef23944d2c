#include "transfer/recorrido.h"

#include <algorithm>
#include <chrono>

#include "foundation/errores.h"
#include "transfer/corrida.h"
#include "transfer/grupo.h"

namespace velmora {

namespace {

using Cronometro = std::chrono::steady_clock;

const char kTextoMarca[] = "UPDATE AUDITORIA SET AUDI_ENVIO = 'S' where AUDI_ID ";

// A stop request cancels the operation in progress on its connection; one that arrives just
// as the operation ends may fall on the next one instead. The work that follows a stop
// (undoing the entry, committing the group, the marks) is done again once when so.
template <class F>
void SinCancelacion(F&& trabajo) {
    try {
        trabajo();
    } catch (const ErrorBaseDatos& error) {
        if (!error.esCancelacion()) throw;
        trabajo();
    }
}

// An entry done and waiting for its mark: its journal id, and whether it was copied or only
// left out by the prefix.
struct Pendiente {
    int64_t id;
    bool copiada;
};

// The entries of an offline send waiting for the end of the run for their marks, in the
// order they were done. Each is kept as the variable-length difference from the id before
// (with its copied bit), about a byte an entry, so that a long send does not hold its journal
// in memory.
class MarcasPendientes {
  public:
    void agregar(const Pendiente& p) {
        const uint64_t diferencia = uint64_t(p.id - anterior_);
        anterior_ = p.id;
        // Zigzag: a journal read by date may go back in id.
        uint64_t v = (diferencia << 1) ^ (0 - (diferencia >> 63));
        v = (v << 1) | (p.copiada ? 1 : 0);
        do {
            const uint8_t siete = uint8_t(v & 0x7F);
            v >>= 7;
            bytes_.push_back(uint8_t(siete | (v ? 0x80 : 0)));
        } while (v);
    }

    // Hands the entries to `lote`, in order and `tamano` at a time, and forgets them.
    template <class F>
    void vaciar(size_t tamano, F&& lote) {
        // Taken out first: entries already handed out are not handed out again, should a
        // batch fail and the list be emptied once more.
        const std::vector<uint8_t> bytes = std::move(bytes_);
        bytes_ = {};
        anterior_ = 0;
        std::vector<Pendiente> tramo;
        int64_t id = 0;
        for (size_t i = 0; i < bytes.size();) {
            uint64_t v = 0;
            for (int corrimiento = 0;; corrimiento += 7) {
                const uint8_t b = bytes[i++];
                v |= uint64_t(b & 0x7F) << corrimiento;
                if (!(b & 0x80)) break;
            }
            const uint64_t zigzag = v >> 1;
            id += int64_t((zigzag >> 1) ^ (0 - (zigzag & 1)));
            tramo.push_back({id, bool(v & 1)});
            if (tramo.size() == tamano) {
                lote(tramo);
                tramo.clear();
            }
        }
        if (!tramo.empty()) lote(tramo);
    }

  private:
    std::vector<uint8_t> bytes_;
    int64_t anterior_ = 0;
};

// The dialogs of the entry in progress: what it has to say (a refused apply, another user's
// lock) is held until its group is committed or undone, so that no row stays locked while a
// person reads it; questions are put after the group's commit and are never held.
class AvisosRetenidos : public Dialogos {
  public:
    explicit AvisosRetenidos(Dialogos& destino) : destino_(destino) {}

    void mensaje(const std::string& texto) override { dar(Llamada::Mensaje, texto); }
    void error(const std::string& texto) override { dar(Llamada::Error, texto); }
    void pitido() override { dar(Llamada::Pitido, {}); }
    bool confirmar(const std::string& texto) override {
        soltar();
        return destino_.confirmar(texto);
    }

    void retener() { reteniendo_ = true; }
    bool hayRetenidos() const { return !retenidos_.empty(); }
    // Shows what was held, in order, and stops holding.
    void soltar() {
        reteniendo_ = false;
        std::vector<std::pair<Llamada, std::string>> retenidos = std::move(retenidos_);
        retenidos_.clear();
        for (const auto& [llamada, texto] : retenidos) mostrar(llamada, texto);
    }

  private:
    enum class Llamada { Mensaje, Error, Pitido };
    void dar(Llamada llamada, const std::string& texto) {
        if (reteniendo_) retenidos_.emplace_back(llamada, texto);
        else mostrar(llamada, texto);
    }
    void mostrar(Llamada llamada, const std::string& texto) {
        switch (llamada) {
            case Llamada::Mensaje:
                return destino_.mensaje(texto);
            case Llamada::Error:
                return destino_.error(texto);
            case Llamada::Pitido:
                return destino_.pitido();
        }
    }

    Dialogos& destino_;
    bool reteniendo_ = false;
    std::vector<std::pair<Llamada, std::string>> retenidos_;
};

}  // namespace

MarcasDiario::MarcasDiario(Transaccion& transaccion, Consulta& sentencia, int esperaBloqueo)
    : transaccion_(transaccion), sentencia_(sentencia), esperaBloqueo_(esperaBloqueo) {}

bool MarcasDiario::marcarEnUna(const std::vector<int64_t>& ids, int espera) {
    std::string texto = kTextoMarca;
    if (ids.size() == 1) {
        texto += "= " + std::to_string(ids.front());
    } else {
        texto += "in (";
        for (size_t i = 0; i < ids.size(); ++i)
            texto += (i ? ", " : "") + std::to_string(ids[i]);
        texto += ")";
    }
    transaccion_.opciones(OpcionesLecturaConfirmada(espera));
    try {
        sentencia_.texto(texto);
        sentencia_.ejecutar();
        transaccion_.confirmar();
        return true;
    } catch (const ErrorBaseDatos& error) {
        transaccion_.deshacer();
        if (!error.esBloqueo() && !error.esCancelacion()) throw;
        return false;
    }
}

std::vector<int64_t> MarcasDiario::marcar(const std::vector<int64_t>& ids) {
    std::vector<int64_t> sinMarcar;
    // A group's worth per statement: the server takes a list of limited length, and a
    // statement of one length is prepared once.
    for (size_t desde = 0; desde < ids.size(); desde += kEntradasPorGrupo) {
        const std::vector<int64_t> tramo(
            ids.begin() + desde, ids.begin() + std::min(ids.size(), desde + kEntradasPorGrupo));
        if (marcarEnUna(tramo, esperaBloqueo_)) continue;
        // Some row is held: each on its own, without waiting again, to find which.
        for (int64_t id : tramo)
            if (!marcarEnUna({id}, -1)) sinMarcar.push_back(id);
    }
    return sinMarcar;
}

EntradaAuditoria MarcasDiario::entrada(int64_t id) {
    sentencia_.texto("SELECT * FROM AUDITORIA WHERE AUDI_ID = " + std::to_string(id));
    sentencia_.abrir();
    EntradaAuditoria e;
    if (!sentencia_.fin()) e = EntradaAuditoria::Leer(sentencia_);
    e.id = id;
    sentencia_.cerrar();
    transaccion_.confirmar();
    return e;
}

int ContarDiario(Consulta& consulta, const std::string& seleccion) {
    // "select * from auditoria ... order by ..." counted without its order.
    std::string texto = seleccion;
    const std::string desde = "from";
    texto = "select count(*) " + texto.substr(texto.find(desde));
    const size_t orden = texto.find(" order by");
    if (orden != std::string::npos) texto.resize(orden);
    consulta.texto(texto);
    consulta.abrir();
    const int cantidad = int(consulta.valor(0).comoEntero());
    consulta.cerrar();
    return cantidad;
}

ConteoRecorrido RecorrerDiario(Recorrido& r) {
    ConteoRecorrido conteo;
    GrupoEntradas grupo(r.destino);
    // The apply-error hooks fire inside the entry: for the loop they speak through the
    // entry's held dialogs.
    AvisosRetenidos avisos(r.dialogos);
    GanchosPrestados ganchosDestino(r.copia.cDestino, avisos);
    GanchosPrestados ganchosIdfact(r.copia.cIdfact, avisos);

    std::vector<Pendiente> enGrupo;  // the entries done in the open group
    Cronometro::time_point abierto{};

    // A failed entry's sequence: its line in ERRORES.TXT, then the question.
    auto registrarFallo = [&](const std::string& mensaje, bool preguntar) {
        ++conteo.fallidas;
        archivo_errores(r.directorio, r.usuario, mensaje);
        if (preguntar && !r.dialogos.confirmar(mensaje + ". Continuar?")) conteo.detenido = true;
    };

    // Marks committed entries; one whose mark another user holds fails (it stays unmarked and
    // is sent again next time). Its journal row is read again for the message: the entries
    // waiting for their marks are kept as ids only.
    auto marcar = [&](const std::vector<Pendiente>& hechas, bool preguntar) {
        std::vector<int64_t> ids;
        for (const Pendiente& h : hechas) ids.push_back(h.id);
        std::vector<int64_t> sinMarcar;
        {
            SolicitudDetencion::Espera espera(r.detencion, r.marcas->conexion());
            sinMarcar = r.marcas->marcar(ids);
        }
        for (const Pendiente& h : hechas) {
            if (std::find(sinMarcar.begin(), sinMarcar.end(), h.id) == sinMarcar.end()) continue;
            if (h.copiada) --conteo.copiadas;
            else --conteo.noSeleccionadas;
            const EntradaAuditoria e = r.marcas->entrada(h.id);
            const TipoDocumento* tipo = TipoSeleccionado(e, r.tipos);
            const std::string mensaje =
                tipo ? MensajeFallo(e, *tipo) : "Error transmitiendo " + e.codigo;
            r.dialogos.mensaje(mensaje + ": la entrada " + std::to_string(h.id) +
                               " del diario est\xE1 siendo modificada por otro usuario; queda sin "
                               "marcar y se enviar\xE1 de nuevo.");
            registrarFallo(mensaje, preguntar && !conteo.detenido);
        }
    };

    MarcasPendientes porMarcar;  // committed, their marks waiting for the end (offline)

    // Commits the group, then marks its entries (offline, at the end of the run).
    auto cerrarGrupo = [&](bool preguntar, bool final) {
        SinCancelacion([&] { grupo.confirmar(); });
        std::vector<Pendiente> hechas = std::move(enGrupo);
        enGrupo.clear();
        if (!r.marcas) return;
        if (!r.marcarAlFinal) {
            marcar(hechas, preguntar);
            return;
        }
        for (const Pendiente& h : hechas) porMarcar.agregar(h);
        if (final)
            porMarcar.vaciar(size_t(kEntradasPorGrupo) * 16,
                             [&](const std::vector<Pendiente>& lote) { marcar(lote, preguntar); });
    };

    // The run ends on an error: the finished entries are kept, provided that the entry in
    // progress could be undone; otherwise the whole group goes.
    auto conservarTerminadas = [&]() noexcept {
        try {
            grupo.deshacerEntrada();
            cerrarGrupo(false, true);
        } catch (...) {
        }
        try {
            avisos.soltar();
        } catch (...) {
        }
    };

    try {
        for (; !r.qAuditor.fin(); r.qAuditor.siguiente()) {
            if (r.detencion && r.detencion->solicitada()) {
                conteo.interrumpido = true;
                break;
            }
            const EntradaAuditoria e = EntradaAuditoria::Leer(r.qAuditor);
            if (r.trazar) r.trazar(e);
            ++conteo.visitadas;
            r.progreso.avanzar();

            const TipoDocumento* tipo = TipoSeleccionado(e, r.tipos);
            const bool filtrada = tipo && FiltradaPorPrefijo(e, r.prefijo);
            if (!tipo || (filtrada && !r.marcas)) {
                ++conteo.noSeleccionadas;
                continue;
            }

            // The entry's work stands behind its savepoint from here; what it has to say
            // waits for its group's commit.
            if (enGrupo.empty()) abierto = Cronometro::now();
            grupo.iniciarEntrada();
            avisos.retener();
            bool fallo = false;
            {
                SolicitudDetencion::Espera espera(r.detencion, r.destino);
                if (!filtrada)
                    fallo = DespacharEntrada(e, r.opciones, r.copia, avisos,
                                             tipo->nombre + " " + e.codigo);
                if (!fallo && r.copiarAuditoria && r.copiarAuditoria()) fallo = true;
                if (fallo) grupo.deshacerEntrada();
            }

            if (!fallo) {
                ++(filtrada ? conteo.noSeleccionadas : conteo.copiadas);
                enGrupo.push_back({e.id, !filtrada});
                if (int(enGrupo.size()) >= kEntradasPorGrupo ||
                    Cronometro::now() - abierto >= kDuracionGrupo || avisos.hayRetenidos())
                    cerrarGrupo(true, false);
                avisos.soltar();
                if (conteo.detenido) break;
                continue;
            }

            // Nothing of the entry is left; the entries before it are committed before the
            // person reads what went wrong and is asked.
            cerrarGrupo(true, false);
            avisos.soltar();
            if (conteo.detenido) break;
            const std::string mensaje = MensajeFallo(e, *tipo);
            if (r.mostrarFallo) r.dialogos.mensaje(mensaje);
            registrarFallo(mensaje, true);
            if (conteo.detenido) break;
        }
        cerrarGrupo(false, true);
    } catch (const ErrorBaseDatos& error) {
        if (!error.esCancelacion() || !r.detencion || !r.detencion->solicitada()) {
            conservarTerminadas();
            throw;
        }
        // Stopped in the middle of an entry: it is undone whole, the finished ones stay.
        SinCancelacion([&] { grupo.deshacerEntrada(); });
        cerrarGrupo(false, true);
        avisos.soltar();
        conteo.interrumpido = true;
    } catch (...) {
        conservarTerminadas();
        throw;
    }
    return conteo;
}

std::string MensajeConcluido(const std::string& texto, const ConteoRecorrido& conteo,
                             const std::string& copiadas, const std::string& archivoErrores) {
    std::string m = texto + "\n\nEntradas visitadas: " + std::to_string(conteo.visitadas) + "\n" +
                    copiadas + ": " + std::to_string(conteo.copiadas) +
                    "\nFallidas: " + std::to_string(conteo.fallidas);
    if (conteo.fallidas > 0) m += " (ver " + archivoErrores + ")";
    m += "\nNo seleccionadas: " + std::to_string(conteo.noSeleccionadas);
    if (conteo.interrumpido) m += "\nProceso interrumpido: detenido por el usuario.";
    return m;
}

}  // namespace velmora
