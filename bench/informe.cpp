#include "bench/informe.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>

namespace velmora::banco {

namespace {

const char kLeemeEnvio[] = R"(# banco_envio: the send run against its floors

Reproduce (from the repository root, after `cmake --build build --target banco_envio`):
  (server access: beside the tests' server, `bash scripts/servidor_pruebas.sh build/bench/banco_envio`)
  build/bench/banco_envio                  # invoices: -d 400 -k 5, both modes, both accesses
  build/bench/banco_envio --carga mixta    # vouchers, cash receipts, accounts, article units
  build/bench/banco_envio --escala         # cost per entry and peak memory at 1,000, 10,000
                                           # and 100,000 entries (takes minutes)
  build/bench/banco_envio --memoria        # the run's peak memory at 10,000 and 500,000
                                           # entries, embedded, offline (takes long; not CI)
  VELMORA_PRUEBAS_PAGINAS_CACHE=128 \
    bash scripts/servidor_pruebas.sh build/bench/banco_envio --memoria
                                           # the same with an engine page cache that both
                                           # sizes fill (see Peak RSS below)
  build/bench/banco_envio --barrido        # the floor per group at 16, 32, 64, 128 entries
                                           # and 250, 1000 ms (--grupos, --duraciones)
  build/bench/banco_envio --pasos -d 200   # cost of each step, through the layer and direct
Other options: --modo en-linea|fuera-de-linea|ambos, --acceso servidor|embebido|ambos,
  --carga sin-manejador (entries of a listed type without catalog entry: the bookkeeping of
  an entry alone), -r N repetitions per side, --entradas N1,N2,... for --escala and
  --memoria, --solo corrida|piso|piso-grupo|piso-entrada|piso-aplicacion (one side).

Run: SpeedButton1Click with the window's defaults (everything unsent, replace on, every type
  marked), timed from the click to the release of both sessions (which commits what is left
  of the journal marks); offline this includes the copy of the template. Each measurement is
  a child process on an installation of its own; the origin is filled by one EXECUTE BLOCK in
  another child before, and the target and the marks are checked after the clock stops.
Floors: the same work straight through the Firebird client, timed the same way: attach both
  databases (offline: copy the template first); read the lock date; count the unsent journal,
  then read it row by row through the origin's snapshot transaction; for each entry append
  the trail line (open, write, close); read the source header; look the document up in the
  target (vouchers: the replace probe and the look-up); online read the new id from the
  cambie_id_ view; insert the header from the fetched buffer (blobs copied); read each detail
  table with one select and insert its rows (receipt rows: one look-up of the paid invoice
  each); master data: source select, then per row target look-up and insert; offline insert
  the journal row. Target reads share one read-only read-committed transaction; every
  statement is prepared once and takes its values as parameters. The workload only creates
  documents, so the floors have no replace path. They differ in their commits and marks:
  - floor per group: the entries' writes go into one read-committed write transaction with
    a lock timeout of 30 s, each entry after SAVEPOINT ENTRADA (one name: setting it again
    replaces it), committed when it holds the group's number of entries or has been open its
    age (the figures of transfer/grupo.h, in the column's title), and at the end. Once a
    group's commit has returned, its marks: one UPDATE ... WHERE AUDI_ID IN (ids of the
    group) in a read-committed write transaction of their own on the origin, committed at
    once. What the grouped run must at least do.
  - floor per entry: the writes of a journal entry (offline its journal row copy too) go into
    one read-committed write transaction, started at the entry's first write and committed
    when the entry is done; each entry marked with UPDATE in the origin's snapshot
    transaction, committed at the end.
  - floor per apply: as per entry, but every header, detail row, master row and journal row
    copy in a write transaction of its own, committed: a run without entry transactions.
Times: median of the repetitions of each side (-r, default 3); the sides take turns.
Ratio: floor per group time / run time of each back-to-back pair, median of the pairs; 1.00
  means the run costs what its database work costs.
Gain: floor per apply time / run time, the same way. Best: floor per apply time / floor per
  group time, the gain of a run that cost no more than its floor per group.
  Both are n/a when a side failed entries or did not leave the expected rows (the notes under
  the line say what).
Goals (invoices of 5 details, 400 entries, each access and mode; checked under the table):
  gain >= 10 embedded and >= 2.8 through the server; ratio >= 0.90.
)";

const char kLeemeRecepcion[] = R"(# banco_recepcion: the receive run against its floors

Reproduce (from the repository root, after `cmake --build build --target banco_recepcion`):
  (server access: beside the tests' server, `bash scripts/servidor_pruebas.sh build/bench/banco_recepcion`)
  build/bench/banco_recepcion                 # invoices: -d 400 -k 5, both accesses
  build/bench/banco_recepcion --carga mixta   # vouchers, cash receipts, accounts, article units
  build/bench/banco_recepcion --escala        # cost per entry and peak memory at 1,000, 10,000
                                              # and 100,000 entries (takes minutes)
  build/bench/banco_recepcion --memoria       # the run's peak memory at 10,000 and 500,000
                                              # entries, embedded (takes long; not CI)
  VELMORA_PRUEBAS_PAGINAS_CACHE=128 \
    bash scripts/servidor_pruebas.sh build/bench/banco_recepcion --memoria
                                              # the same with an engine page cache that both
                                              # sizes fill (see Peak RSS below)
  build/bench/banco_recepcion --barrido       # the floor per group at 16, 32, 64, 128
                                              # entries and 250, 1000 ms
Other options: --acceso servidor|embebido|ambos, -r N repetitions per side, --entradas
  N1,N2,... for --escala and --memoria, --grupos N1,N2,... and --duraciones MS1,MS2,... for
  --barrido, --solo corrida|piso|piso-grupo|piso-entrada|piso-aplicacion (one side).

Transfer file: prepared once per workload, outside the clock, by an offline send of the
  workload (the send run, embedded); each measurement lays a copy of it into a fresh
  installation as datos/001/envio.fdb and receives it into the empty company 002.
Run: SpeedButton1Click of the receiver with the window's defaults ("Todo el envio", existing
  documents left as they are, every type marked), timed from the click to the release of both
  sessions. Each measurement is a child process; the destination is checked after the clock.
Floors: the same work straight through the Firebird client, timed the same way: attach the
  transfer file and the destination; count the file's journal, then read it row by row in
  one transaction; for each entry read the source header from the file; look the document up
  in the destination (vouchers: by the key of the source header); read the new id from the
  cambie_id_ view; insert the header from the fetched buffer (blobs copied; vouchers with
  position 8 at 0); read each detail table with one select and insert its rows under the new
  id (receipt rows: one look-up of the paid invoice in the destination each); accounts:
  source select, look-up, insert; article units: the article's rows of the file, each looked
  up by its item key and inserted. The destination's reads share one read-only
  read-committed transaction; every statement is prepared once and takes its values as
  parameters. They differ in their commits:
  - floor per group: the entries' writes go into one read-committed write transaction with
    a lock timeout of 30 s, each entry after SAVEPOINT ENTRADA (one name: setting it again
    replaces it), committed when it holds the group's number of entries or has been open its
    age (the figures of transfer/grupo.h, in the column's title), and at the end.
  - floor per entry: the writes of an entry go into one read-committed write transaction,
    started at its first write and committed when the entry is done.
  - floor per apply: every header, detail row and master row in a write transaction of its
    own, committed.
Times: median of the repetitions of each side (-r, default 3); the sides take turns.
Ratio: floor per group time / run time of each back-to-back pair, median of the pairs; 1.00
  means the run costs what its database work costs.
Gain: floor per apply time / run time, the same way. Best: floor per apply time / floor per
  group time. Both are n/a when a side failed entries or did not leave the expected rows
  (the notes under the line say what).
Goals (invoices of 5 details, 400 entries, each access; checked under the table): gain >= 10
  embedded and >= 2.8 through the server; ratio >= 0.90.
)";

// What both programs' sweep, round trips, processor time and memory are.
const char kLeemeComun[] = R"(Sweep (--barrido): the floor per group alone at each size and
  age of a group, the floor per entry above them; commits: the groups it committed (more than
  entries / size when the age closed groups first).
rt/ent: round trips to the server per journal entry, counted from outside the client: the
  TCP data segments that the measurement's sockets connected to the server's port
  sent while the clock ran (getsockopt TCP_INFO tcpi_data_segs_out, the sockets found
  through /proc/self/fd and read every 5 ms by a thread, as they open and close inside the
  clock), divided by the entries. A request is one segment waiting for its answer; attach,
  detach and the run's own start are shared out among the entries. Embedded: none (-).
CPU s: user and system time of the measurement's process while the clock ran (embedded: the
  engine's work is in it; through the server: the client's side alone).
Peak RSS: getrusage(RUSAGE_SELF).ru_maxrss of the measurement's process (embedded: the engine
  and its page cache are in it). The page cache holds up to DefaultDbCachePages pages of each
  open database (2048 by default, 16 MiB of 8 KiB pages): small databases leave it partly
  empty, larger ones fill it, so between sizes the peak grows by up to that much without
  anything growing with the journal. With a cache that both sizes fill the comparison shows
  what does.
)";

// The goals of the run for invoices of 5 detail rows.
constexpr int kDetallesObjetivo = 5;
constexpr double kGananciaEmbebido = 10.0, kGananciaServidor = 2.8, kRazonGrupo = 0.90;

std::string Fmt(const char* formato, double v) {
    char t[64];
    std::snprintf(t, sizeof t, formato, v);
    return t;
}

}  // namespace

void Encabezado(Programa programa, int argc, char** argv) {
    utsname u{};
    uname(&u);
    // The program by its name alone: the folder it was started from is this machine's.
    std::string linea = std::filesystem::path(argv[0]).filename().string();
    for (int i = 1; i < argc; ++i) linea += std::string(" ") + argv[i];
    char ahora[64];
    const std::time_t t = std::time(nullptr);
    std::strftime(ahora, sizeof ahora, "%Y-%m-%d %H:%M:%S", std::localtime(&t));
    std::printf("%s%s\n", programa == Programa::Envio ? kLeemeEnvio : kLeemeRecepcion,
                kLeemeComun);
    std::printf("Measured: %s on %s %s, %ld processors, load average %s at the start\n", ahora,
                u.sysname, u.release, sysconf(_SC_NPROCESSORS_ONLN), CargaDelSistema().c_str());
    std::printf("Command: %s\n\n", linea.c_str());
    std::fflush(stdout);
}

void Pie() {
    std::printf("Load average at the end: %s\n", CargaDelSistema().c_str());
}

std::string ColumnasLado(const std::vector<Medida>& ms) {
    if (ms.empty()) return std::string(35, ' ') + "-";
    const Medida m = Mediana(ms);
    if (!m.hecha) return "  failed" + std::string(28, ' ');
    char t[128];
    std::snprintf(t, sizeof t, "%8.3f %8.1f %9.3f %7.1f", m.segundos, m.entradas / m.segundos,
                  m.cpuSegundos, m.rssKiB / 1024.0);
    return t;
}

std::string ColumnasBreves(const std::vector<Medida>& ms) {
    if (ms.empty()) return std::string(16, ' ') + "-";
    const Medida m = Mediana(ms);
    if (!m.hecha) return "  failed" + std::string(9, ' ');
    char t[64];
    std::snprintf(t, sizeof t, "%8.3f %8.1f", m.segundos, m.entradas / m.segundos);
    return t;
}

std::string ColumnaViajes(const std::vector<Medida>& ms) {
    if (ms.empty()) return "      -";
    const Medida m = Mediana(ms);
    if (!m.hecha || m.segmentos < 0 || m.entradas <= 0) return "      -";
    return Fmt("%7.1f", double(m.segmentos) / double(m.entradas));
}

std::string ColumnasEscala(const std::vector<Medida>& ms, int entradas,
                           std::vector<double>& costos) {
    if (ms.empty()) return std::string(25, ' ') + "-";
    const Medida m = Mediana(ms);
    if (!m.hecha) return "  failed" + std::string(18, ' ');
    costos.push_back(m.segundos * 1e6 / entradas);
    char t[96];
    std::snprintf(t, sizeof t, "%8.3f %9.1f %7.1f", m.segundos, m.segundos * 1e6 / entradas,
                  m.rssKiB / 1024.0);
    return t;
}

std::string ColumnaRazon(const std::vector<Medida>& numerador,
                         const std::vector<Medida>& denominador) {
    if (numerador.empty() || denominador.empty()) return "     -";
    const auto r = Razon(numerador, denominador);
    return r ? Fmt("%6.3f", *r) : "   n/a";
}

void Notas(const char* lado, const std::vector<Medida>& ms) {
    if (ms.empty()) return;
    const Medida m = Mediana(ms);
    if (m.nota[0]) std::printf("    %s: %s\n", lado, m.nota);
    if (m.fallidas > 0)
        std::printf("    %s: %ld of %ld entries FAILED (logged, confirmed, left unsent)\n", lado,
                    m.fallidas, m.entradas);
}

void NotasDeLados(const std::vector<Medida>& corridas, const std::vector<Medida>& porGrupo,
                  const std::vector<Medida>& porEntrada, const std::vector<Medida>& porAplicacion) {
    Notas("run", corridas);
    Notas("floor per group", porGrupo);
    Notas("floor per entry", porEntrada);
    Notas("floor per apply", porAplicacion);
}

void TituloBarrido(const Opciones& o) {
    std::printf(
        "## the floor per group at each size and age of a group: %s, %d journal entries, %d "
        "detail rows per document, %d run(s) each\n\n",
        NombreCarga(o.carga), o.documentos, o.detalles, o.repeticiones);
}

std::string Crecimiento(const std::vector<double>& costos) {
    return costos.size() >= 2 ? Fmt("%.3f", costos.back() / costos.front()) : std::string("-");
}

void Objetivos(const Lote& lote, const std::vector<Objetivo>& lineas) {
    if (lote.carga != Carga::Facturas || lote.detalles != kDetallesObjetivo) return;
    std::printf("Goals for invoices of %d detail rows (set for 400 entries; measured with %d):\n",
                kDetallesObjetivo, lote.entradas);
    std::printf(
        "  gain over the floor per apply >= %.1f embedded, >= %.1f through the server;\n"
        "  ratio to the floor per group >= %.2f\n",
        kGananciaEmbebido, kGananciaServidor, kRazonGrupo);
    auto veredicto = [](const std::optional<double>& v, double meta) -> std::string {
        if (!v) return "n/a (not measured or not verified)";
        return Fmt("%.2f", *v) + (*v >= meta ? " met" : " MISSED");
    };
    for (const Objetivo& l : lineas) {
        const double meta = l.acceso == Acceso::Embebido ? kGananciaEmbebido : kGananciaServidor;
        std::printf("  %-9s %-15s gain %-40s ratio %s\n", NombreAccesoCorto(l.acceso),
                    l.modo.c_str(), veredicto(l.ganancia, meta).c_str(),
                    veredicto(l.razon, kRazonGrupo).c_str());
    }
    std::printf("\n");
}

void Barrido(const Opciones& o, const std::string& donde,
             const std::function<std::vector<Medida>(Lado, Agrupacion)>& medir) {
    std::printf("%-26s %9s %8s | %8s %8s %9s %7s %7s %7s\n", donde.c_str(), "entries", "age ms",
                "floor s", "docs/s", "CPU s", "RSS MiB", "rt/ent", "commits");
    const auto porEntrada = medir(Lado::PisoPorEntrada, Agrupacion{});
    std::printf("%-26s %9s %8s | %s %s\n", "  floor per entry", "1", "-",
                ColumnasLado(porEntrada).c_str(), ColumnaViajes(porEntrada).c_str());
    Notas("floor per entry", porEntrada);
    for (int n : o.entradasPorGrupo)
        for (int t : o.duracionesMs) {
            const auto ms = medir(Lado::PisoPorGrupo, Agrupacion{n, std::chrono::milliseconds(t)});
            const Medida m = ms.empty() ? Medida{} : Mediana(ms);
            std::printf("%-26s %9d %8d | %s %s %7ld\n", "  floor per group", n, t,
                        ColumnasLado(ms).c_str(), ColumnaViajes(ms).c_str(), m.grupos);
            Notas("floor per group", ms);
            std::fflush(stdout);
        }
    std::printf("\n");
}

void EncabezadoTabla(const char* columna, int ancho) {
    const Agrupacion grupo;
    char tituloGrupo[64];
    std::snprintf(tituloGrupo, sizeof tituloGrupo, "floor per group (%d entries, %lld ms)",
                  grupo.entradas, static_cast<long long>(grupo.duracion.count()));
    std::printf("%-*s | %-43s | %-50s | %-24s | %s\n", 9 + 1 + ancho + 1 + 7, "", "run",
                tituloGrupo, "floor per entry", "floor per apply");
    std::printf(
        "%-9s %-*s %7s | %8s %8s %9s %7s %7s | %8s %8s %9s %7s %7s %6s | %8s %8s %6s | "
        "%8s %8s %6s %6s %6s\n",
        "access", ancho, columna, "rows", "run s", "docs/s", "CPU s", "RSS MiB", "rt/ent",
        "floor s", "docs/s", "CPU s", "RSS MiB", "rt/ent", "ratio", "floor s", "docs/s", "rt/ent",
        "floor s", "docs/s", "rt/ent", "gain", "best");
}

}  // namespace velmora::banco
