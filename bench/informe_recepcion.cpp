// The tables of banco_recepcion.
#include <cstdio>

#include "bench/escenarios.h"
#include "bench/informe.h"

namespace velmora::banco {

namespace {

// A transfer file of the workload, prepared once; stops the program when the send that
// prepares it fails or leaves a file that does not hold the workload.
std::string Preparar(const CarpetaTemporal& carpeta, const Lote& lote) {
    const std::string ruta =
        carpeta.ruta(std::string(NombreCarga(lote.carga)) + "-" + std::to_string(lote.entradas) +
                     "-" + std::to_string(lote.detalles) + ".fdb");
    const Medida m = PrepararArchivo(lote, ruta);
    if (!m.hecha || !m.verificada)
        throw std::runtime_error(std::string("preparing the transfer file: ") + m.nota);
    return ruta;
}

// The sides of one configuration, repeated: run, floor per group, per entry, per apply.
std::vector<std::vector<Medida>> Medir(const Opciones& o, ConfiguracionRecepcion c) {
    auto lado = [&](bool medido, Lado l) -> std::function<Medida()> {
        if (!medido) return nullptr;
        return [c, l]() mutable {
            c.lado = l;
            return MedirRecepcion(c);
        };
    };
    return Repetir(o.repeticiones,
                   {lado(o.corrida, Lado::Corrida), lado(o.pisoGrupo, Lado::PisoPorGrupo),
                    lado(o.pisoEntrada, Lado::PisoPorEntrada),
                    lado(o.pisoAplicacion, Lado::PisoPorAplicacion)});
}

}  // namespace

void TablaRecepcion(const Opciones& o) {
    const Lote lote{o.carga, o.documentos, o.detalles};
    std::printf("## %s: %d journal entries, %d detail rows per document, %d run(s) per side\n\n",
                NombreCarga(o.carga), o.documentos, o.detalles, o.repeticiones);
    CarpetaTemporal carpeta;
    const std::string archivo = Preparar(carpeta, lote);
    EncabezadoTabla("workload", 9);
    std::vector<Objetivo> objetivos;
    for (Acceso acceso : o.accesos) {
        const auto ms = Medir(o, {acceso, lote, Lado::Corrida, archivo, Agrupacion{}});
        const auto &corridas = ms[0], &porGrupo = ms[1], &porEntrada = ms[2],
                   &porAplicacion = ms[3];
        std::printf("%-9s %-9s %7ld | %s %s | %s %s %s | %s %s | %s %s %s %s\n",
                    NombreAccesoCorto(acceso), NombreCarga(o.carga), lote.filasDocumento(),
                    ColumnasLado(corridas).c_str(), ColumnaViajes(corridas).c_str(),
                    ColumnasLado(porGrupo).c_str(), ColumnaViajes(porGrupo).c_str(),
                    ColumnaRazon(porGrupo, corridas).c_str(), ColumnasBreves(porEntrada).c_str(),
                    ColumnaViajes(porEntrada).c_str(), ColumnasBreves(porAplicacion).c_str(),
                    ColumnaViajes(porAplicacion).c_str(),
                    ColumnaRazon(porAplicacion, corridas).c_str(),
                    ColumnaRazon(porAplicacion, porGrupo).c_str());
        NotasDeLados(corridas, porGrupo, porEntrada, porAplicacion);
        objetivos.push_back(
            {acceso, "receive", Razon(porAplicacion, corridas), Razon(porGrupo, corridas)});
        std::fflush(stdout);
    }
    std::printf("\n");
    Objetivos(lote, objetivos);
}

void EscalaRecepcion(const Opciones& o) {
    std::printf(
        "## scaling: sales invoices of %d detail row(s), one per journal entry: per entry a "
        "source\n"
        "## header, a look-up, a new id, the header and its details\n\n",
        o.detalles);
    std::printf("%-9s %8s | %8s %9s %7s | %8s %9s %7s | %6s\n", "access", "entries", "run s",
                "us/entry", "RSS MiB", "floor s", "us/entry", "RSS MiB", "ratio");
    CarpetaTemporal carpeta;
    std::vector<std::string> archivos;
    for (int n : o.tamanos) archivos.push_back(Preparar(carpeta, {Carga::Facturas, n, o.detalles}));
    for (Acceso acceso : o.accesos) {
        std::vector<double> costos, costosPiso, picos;
        for (size_t i = 0; i < o.tamanos.size(); ++i) {
            const int n = o.tamanos[i];
            const auto ms = Medir(o, {acceso,
                                      {Carga::Facturas, n, o.detalles},
                                      Lado::Corrida,
                                      archivos[i],
                                      Agrupacion{}});
            const std::string c1 = ColumnasEscala(ms[0], n, costos);
            const std::string c2 = ColumnasEscala(ms[1], n, costosPiso);
            std::printf("%-9s %8d | %s | %s | %s\n", NombreAccesoCorto(acceso), n, c1.c_str(),
                        c2.c_str(), ColumnaRazon(ms[1], ms[0]).c_str());
            Notas("run", ms[0]);
            Notas("floor per group", ms[1]);
            if (!ms[0].empty() && Mediana(ms[0]).hecha)
                picos.push_back(double(Mediana(ms[0]).rssKiB));
            std::fflush(stdout);
        }
        if (o.tamanos.size() >= 2)
            std::printf(
                "%-9s at %d / at %d entries: cost per entry run %s, floor %s; run's peak "
                "memory %s%s\n",
                NombreAccesoCorto(acceso), o.tamanos.back(), o.tamanos.front(),
                Crecimiento(costos).c_str(), Crecimiento(costosPiso).c_str(),
                Crecimiento(picos).c_str(), o.memoria ? " (goal <= 1.10)" : "");
    }
    std::printf("\n");
}

void BarridoRecepcion(const Opciones& o) {
    const Lote lote{o.carga, o.documentos, o.detalles};
    TituloBarrido(o);
    CarpetaTemporal carpeta;
    const std::string archivo = Preparar(carpeta, lote);
    for (Acceso acceso : o.accesos)
        Barrido(o, std::string(NombreAccesoCorto(acceso)) + " receive", [&](Lado l, Agrupacion g) {
            ConfiguracionRecepcion c{acceso, lote, l, archivo, g};
            return Repetir(o.repeticiones, {[c] { return MedirRecepcion(c); }})[0];
        });
}

}  // namespace velmora::banco
