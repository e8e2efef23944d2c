// The cost of each step of an entry, once through the session layer the way the run and the
// copy procedures take it, once straight through the client the way the floors take it;
// same databases, same process, disjoint rows.
#include "bench/pasos.h"

#include <cstdio>
#include <optional>

#include "bench/cargas.h"
#include "bench/cliente.h"
#include "bench/escenarios.h"
#include "envio/corrida_envio.h"
#include "foundation/bitacora.h"
#include "foundation/ubicaciones.h"
#include "tests/soporte/escenario_envio.h"

namespace velmora::banco {

namespace {

enum Paso {
    kTraza,
    kMarca,
    kCopiaDiario,
    kLecturaEncabezado,
    kBusqueda,
    kIdNuevo,
    kFilaDetalle,
    kFilaEnEntrada,
    kEntrada,
    kPreparar,
    kLecturaVacia,
    kPasos
};
const char* const kNombrePaso[kPasos] = {
    "trail line (archivo_auditoria / fopen-append-fclose)",
    "journal mark (literal UPDATE via QCopia / prepared UPDATE)",
    "journal row copy (CDestino apply / insert+commit)",
    "source header read with blob (QCopia literal select / prepared)",
    "target look-up, not found (CDestino literal select / prepared)",
    "new id (CIdfact on cambie_id_factura / prepared)",
    "detail row (CDestino insert+apply / insert+commit)",
    "detail row inside an entry (CDestino insert+apply / insert)",
    "entry of one row (GrupoEntradas, insert+apply, commit / client)",
    "prepare + free of a new select text (client only)",
    "empty read-only read-committed transaction (client only)",
};

struct Desglose {
    bool hecha = false;
    int veces = 0;
    double capa[kPasos] = {}, directo[kPasos] = {};  // us per step, <0: not measured
    char nota[768] = {};
};

template <class F>
double Microsegundos(int veces, F&& paso) {
    const auto inicio = Reloj::now();
    for (int i = 1; i <= veces; ++i) paso(i);
    return std::chrono::duration<double, std::micro>(Reloj::now() - inicio).count() / veces;
}

Desglose MedirPasos(Acceso acceso, int veces) {
    using namespace Firebird;
    Desglose d;
    d.veces = veces;
    for (double& v : d.capa) v = -1;
    prueba::EscenarioEnvio e(acceso);
    // 2n invoices of one detail row and their journal: the layer takes 1..n, the client n+1..2n.
    prueba::EjecutarSql(e.origen(), {BloqueOrigen({Carga::Facturas, 2 * veces, 1})});
    ComponentesEnvio& c = e.componentes;
    c.dbCia.ubicacion(e.origen());
    c.dbCia.usuario(prueba::kUsuario);
    c.dbCia.clave(prueba::kClave);
    c.dbCia.conectar();
    c.dbEnvio.ubicacion(e.destino());
    c.dbEnvio.usuario(prueba::kUsuario);
    c.dbEnvio.clave(prueba::kClave);
    c.dbEnvio.conectar();
    Base origen(e.origen()), destino(e.destino());
    std::optional<TransaccionCliente> traOrigen, lectura;
    traOrigen.emplace(origen.get(), nullptr, 0);
    lectura.emplace(destino.get(), kTpbLectura, sizeof kTpbLectura);
    const std::string traza = e.instalacion.ruta("ENVIO.TXT");
    auto numero = [](int i) {
        char t[16];
        std::snprintf(t, sizeof t, "%06d", i);
        return std::string(t);
    };
    auto insertar = [&](Preparada& ins, const Formato& f, unsigned char* fila) {
        TransaccionCliente t(destino.get(), kTpbEscritura, sizeof kTpbEscritura);
        ins.ejecutar(t.get(), &f, fila);
        t.confirmar();
    };

    // As the run writes it: the installation folder read once, before the lines.
    const std::string instalacion = diraplicacion(e.dialogos);
    const Directorio directorio = [&instalacion] { return instalacion; };
    d.capa[kTraza] = Microsegundos(veces, [&](int i) {
        archivo_auditoria(directorio, std::to_string(i), "31", "FV" + numero(i));
    });
    d.directo[kTraza] = Microsegundos(veces, [&](int i) {
        if (FILE* f = std::fopen(traza.c_str(), "ab")) {
            std::fprintf(f, "02/03/26,10:00:00,%d,31,FV%s\r\n", i, numero(i).c_str());
            std::fclose(f);
        }
    });

    d.capa[kMarca] = Microsegundos(veces, [&](int i) {
        c.qCopia.texto("UPDATE AUDITORIA SET AUDI_ENVIO = 'S' where AUDI_ID = " +
                       std::to_string(i));
        c.qCopia.ejecutar();
    });
    {
        Preparada marca(origen.get(), traOrigen->get(),
                        "UPDATE AUDITORIA SET AUDI_ENVIO = 'S' where AUDI_ID = ?");
        d.directo[kMarca] = Microsegundos(veces, [&](int i) {
            PonerEntero(marca.entrada, marca.parametros.data(), 0, veces + i);
            marca.ejecutar(traOrigen->get());
        });
    }

    c.qAuditor.texto("select * from auditoria order by audi_id");
    c.qAuditor.abrir();
    c.qAuditor.primero();
    d.capa[kCopiaDiario] = Microsegundos(veces, [&](int) {
        c.cDestino.cerrar();
        c.cDestino.texto("SELECT * FROM AUDITORIA");
        c.cDestino.abrir();
        c.cDestino.insertar();
        CopiarCampos(c.qAuditor, c.cDestino, 0);
        c.cDestino.publicar();
        if (c.cDestino.aplicar(0) != 0) throw std::runtime_error("journal copy refused");
        c.cDestino.cerrar();
        c.qAuditor.siguiente();
    });
    c.qAuditor.cerrar();
    {
        Preparada diario(origen.get(), traOrigen->get(),
                         "select * from auditoria where audi_id > ? order by audi_id");
        PonerEntero(diario.entrada, diario.parametros.data(), 0, veces);
        std::vector<Fila> filas = diario.leerTodas(traOrigen->get());
        Preparada copia(
            destino.get(), lectura->get(),
            "INSERT INTO AUDITORIA VALUES (" + Columnas(diario.salida.cantidad()) + ")");
        d.directo[kCopiaDiario] = Microsegundos(
            veces, [&](int i) { insertar(copia, diario.salida, filas[size_t(i - 1)].data()); });
    }

    d.capa[kLecturaEncabezado] = Microsegundos(veces, [&](int i) {
        c.qCopia.texto("select * from facturas where fact_id = " + std::to_string(i));
        c.qCopia.abrir();
        if (c.qCopia.vacia()) throw std::runtime_error("no source header");
        c.qCopia.cerrar();
    });
    {
        Preparada fuente(origen.get(), traOrigen->get(),
                         "select * from facturas where fact_id = ?");
        d.directo[kLecturaEncabezado] = Microsegundos(veces, [&](int i) {
            PonerEntero(fuente.entrada, fuente.parametros.data(), 0, veces + i);
            if (!fuente.leerUna(traOrigen->get())) throw std::runtime_error("no source header");
            const Formato& f = fuente.salida;
            for (unsigned k = 0; k < f.cantidad(); ++k) {
                if (f.tipo[k] != SQL_BLOB || EsNulo(f, fuente.fila.data(), k)) continue;
                fb::Estado st;
                ISC_QUAD id = Tomar<ISC_QUAD>(fuente.fila.data() + f.desp[k]);
                fb::Ref<IBlob> b(origen.get()->openBlob(&st, traOrigen->get(), &id, 0, nullptr));
                char trozo[32768];
                unsigned leido = 0;
                while (b->getSegment(&st, sizeof trozo, trozo, &leido) != IStatus::RESULT_NO_DATA) {
                }
                b.Terminar([&](IBlob* x) { x->close(&st); });
            }
        });
    }

    d.capa[kBusqueda] = Microsegundos(veces, [&](int i) {
        c.cDestino.cerrar();
        c.cDestino.texto("SELECT * FROM FACTURAS WHERE PREF_PRE = 'FV' AND FACT_NUMERO = '" +
                         numero(i) + "'");
        c.cDestino.abrir();
        if (!c.cDestino.vacio()) throw std::runtime_error("unexpected invoice in the target");
        c.cDestino.cerrar();
    });
    {
        Preparada busca(destino.get(), lectura->get(),
                        "SELECT * FROM FACTURAS WHERE PREF_PRE = ? AND FACT_NUMERO = ?");
        d.directo[kBusqueda] = Microsegundos(veces, [&](int i) {
            PonerTexto(busca.entrada, busca.parametros.data(), 0, "FV");
            PonerTexto(busca.entrada, busca.parametros.data(), 1, numero(veces + i));
            if (busca.leerUna(lectura->get()))
                throw std::runtime_error("unexpected invoice in the target");
        });
    }

    d.capa[kIdNuevo] = Microsegundos(veces, [&](int) {
        c.cIdfact.cerrar();
        c.cIdfact.texto("select * from cambie_id_factura");
        c.cIdfact.abrir();
        if (c.cIdfact.vacio()) throw std::runtime_error("cambie_id_factura gave no row");
        (void)c.cIdfact.valor(0).comoEntero();
        c.cIdfact.cerrar();
    });
    {
        Preparada vista(destino.get(), lectura->get(), "select * from cambie_id_factura");
        d.directo[kIdNuevo] = Microsegundos(veces, [&](int) {
            if (!vista.leerUna(lectura->get()))
                throw std::runtime_error("cambie_id_factura gave no row");
        });
    }

    c.qCopiadet.texto("select * from facturas_detalle where fact_id = 1");
    c.qCopiadet.abrir();
    d.capa[kFilaDetalle] = Microsegundos(veces, [&](int i) {
        c.cDestino.cerrar();
        c.cDestino.texto("SELECT * FROM FACTURAS_DETALLE WHERE FACT_ID = 0");
        c.cDestino.abrir();
        c.cDestino.insertar();
        CopiarCampos(c.qCopiadet, c.cDestino, 0);
        c.cDestino.asignar(0, Valor(1000000 + i));
        c.cDestino.asignar(18, Valor(0));
        c.cDestino.publicar();
        if (c.cDestino.aplicar(0) != 0) throw std::runtime_error("detail row refused");
        c.cDestino.cerrar();
    });
    c.qCopiadet.cerrar();
    {
        Preparada det(origen.get(), traOrigen->get(),
                      "select * from facturas_detalle where fact_id = 1");
        if (!det.leerUna(traOrigen->get())) throw std::runtime_error("no source detail");
        Preparada ins(
            destino.get(), lectura->get(),
            "INSERT INTO FACTURAS_DETALLE VALUES (" + Columnas(det.salida.cantidad()) + ")");
        d.directo[kFilaDetalle] = Microsegundos(veces, [&](int i) {
            PonerEntero(det.salida, det.fila.data(), 0, 2000000 + i);
            PonerEntero(det.salida, det.fila.data(), 18, 0);
            insertar(ins, det.salida, det.fila.data());
        });
    }

    // The same row inside an entry's transaction: the apply commits nothing, the entry
    // commits once after all rows (its commit shared out among them).
    auto filaEnDestino = [&](int64_t id) {
        c.cDestino.cerrar();
        c.cDestino.texto("SELECT * FROM FACTURAS_DETALLE WHERE FACT_ID = 0");
        c.cDestino.abrir();
        c.cDestino.insertar();
        CopiarCampos(c.qCopiadet, c.cDestino, 0);
        c.cDestino.asignar(0, Valor(id));
        c.cDestino.asignar(18, Valor(0));
        c.cDestino.publicar();
        if (c.cDestino.aplicar(0) != 0) throw std::runtime_error("detail row refused");
        c.cDestino.cerrar();
    };
    c.qCopiadet.abrir();
    {
        std::optional<GrupoEntradas> entrada(std::in_place, c.dbEnvio);
        d.capa[kFilaEnEntrada] = Microsegundos(veces, [&](int i) {
            filaEnDestino(3000000 + i);
            if (i == veces) entrada->confirmar();
        });
    }
    d.capa[kEntrada] = Microsegundos(veces, [&](int i) {
        GrupoEntradas entrada(c.dbEnvio);
        filaEnDestino(4000000 + i);
        entrada.confirmar();
    });
    c.qCopiadet.cerrar();
    {
        Preparada det(origen.get(), traOrigen->get(),
                      "select * from facturas_detalle where fact_id = 1");
        if (!det.leerUna(traOrigen->get())) throw std::runtime_error("no source detail");
        Preparada ins(
            destino.get(), lectura->get(),
            "INSERT INTO FACTURAS_DETALLE VALUES (" + Columnas(det.salida.cantidad()) + ")");
        std::optional<TransaccionCliente> t;
        t.emplace(destino.get(), kTpbEscritura, sizeof kTpbEscritura);
        d.directo[kFilaEnEntrada] = Microsegundos(veces, [&](int i) {
            PonerEntero(det.salida, det.fila.data(), 0, 5000000 + i);
            PonerEntero(det.salida, det.fila.data(), 18, 0);
            ins.ejecutar(t->get(), &det.salida, det.fila.data());
            if (i == veces) t->confirmar();
        });
        d.directo[kEntrada] = Microsegundos(veces, [&](int i) {
            PonerEntero(det.salida, det.fila.data(), 0, 6000000 + i);
            PonerEntero(det.salida, det.fila.data(), 18, 0);
            insertar(ins, det.salida, det.fila.data());
        });
    }

    d.directo[kPreparar] = Microsegundos(veces, [&](int i) {
        Preparada p(origen.get(), traOrigen->get(),
                    "select * from facturas where fact_id = " + std::to_string(3 * veces + i));
    });
    d.directo[kLecturaVacia] = Microsegundos(veces, [&](int) {
        TransaccionCliente t(destino.get(), kTpbLectura, sizeof kTpbLectura);
        t.confirmar();
    });

    lectura->confirmar();
    traOrigen->confirmar();
    destino.desconectar();
    origen.desconectar();
    c.liberar();
    d.hecha = true;
    return d;
}

}  // namespace

void Pasos(const Opciones& o) {
    const int veces = o.documentos;
    std::printf("## cost of each step of an entry, us, %d times each\n\n", veces);
    for (Acceso acceso : o.accesos) {
        const Desglose d = Aparte<Desglose>([&] { return MedirPasos(acceso, veces); });
        std::printf("%s:\n", NombreAccesoCorto(acceso));
        if (!d.hecha) {
            std::printf("    %s\n\n", d.nota);
            continue;
        }
        std::printf("    %-66s %9s %9s %9s\n", "step", "layer", "client", "excess");
        for (int p = 0; p < kPasos; ++p) {
            if (d.capa[p] < 0)
                std::printf("    %-66s %9s %9.1f %9s\n", kNombrePaso[p], "-", d.directo[p], "");
            else
                std::printf("    %-66s %9.1f %9.1f %9.1f\n", kNombrePaso[p], d.capa[p],
                            d.directo[p], d.capa[p] - d.directo[p]);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
}

}  // namespace velmora::banco
