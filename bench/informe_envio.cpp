// The tables of banco_envio.
#include <cstdio>

#include "bench/escenarios.h"
#include "bench/informe.h"

namespace velmora::banco {

namespace {

// The sides of one configuration, repeated: run, floor per group, per entry, per apply.
std::vector<std::vector<Medida>> Medir(const Opciones& o, ConfiguracionEnvio c) {
    auto lado = [&](bool medido, Lado l) -> std::function<Medida()> {
        if (!medido) return nullptr;
        return [c, l]() mutable {
            c.lado = l;
            return MedirEnvio(c);
        };
    };
    return Repetir(o.repeticiones,
                   {lado(o.corrida, Lado::Corrida), lado(o.pisoGrupo, Lado::PisoPorGrupo),
                    lado(o.pisoEntrada, Lado::PisoPorEntrada),
                    lado(o.pisoAplicacion, Lado::PisoPorAplicacion)});
}

}  // namespace

void TablaEnvio(const Opciones& o) {
    const Lote lote{o.carga, o.documentos, o.detalles};
    std::printf("## %s: %d journal entries, %d detail rows per document, %d run(s) per side\n\n",
                NombreCarga(o.carga), o.documentos, o.detalles, o.repeticiones);
    EncabezadoTabla("mode", 15);
    std::vector<Objetivo> objetivos;
    for (Acceso acceso : o.accesos) {
        for (bool enLinea : o.modos) {
            const auto ms = Medir(o, {acceso, enLinea, lote, Lado::Corrida, Agrupacion{}});
            const auto &corridas = ms[0], &porGrupo = ms[1], &porEntrada = ms[2],
                       &porAplicacion = ms[3];
            const long filas = lote.filasDocumento() + (enLinea ? 0 : lote.entradas);
            std::printf("%-9s %-15s %7ld | %s %s | %s %s %s | %s %s | %s %s %s %s\n",
                        NombreAccesoCorto(acceso), NombreModo(enLinea), filas,
                        ColumnasLado(corridas).c_str(), ColumnaViajes(corridas).c_str(),
                        ColumnasLado(porGrupo).c_str(), ColumnaViajes(porGrupo).c_str(),
                        ColumnaRazon(porGrupo, corridas).c_str(),
                        ColumnasBreves(porEntrada).c_str(), ColumnaViajes(porEntrada).c_str(),
                        ColumnasBreves(porAplicacion).c_str(), ColumnaViajes(porAplicacion).c_str(),
                        ColumnaRazon(porAplicacion, corridas).c_str(),
                        ColumnaRazon(porAplicacion, porGrupo).c_str());
            NotasDeLados(corridas, porGrupo, porEntrada, porAplicacion);
            objetivos.push_back({acceso, NombreModo(enLinea), Razon(porAplicacion, corridas),
                                 Razon(porGrupo, corridas)});
            std::fflush(stdout);
        }
    }
    std::printf("\n");
    Objetivos(lote, objetivos);
}

void EscalaEnvio(const Opciones& o) {
    std::printf(
        "## scaling: sales invoices of %d detail row(s), one per journal entry: per entry a trail\n"
        "## line, a source header, a look-up, the header and its details%s and a mark\n\n",
        o.detalles, o.modos.size() == 1 && !o.modos[0] ? ", the journal row copy" : "");
    std::printf("%-9s %-15s %8s | %8s %9s %7s | %8s %9s %7s | %6s\n", "access", "mode", "entries",
                "run s", "us/entry", "RSS MiB", "floor s", "us/entry", "RSS MiB", "ratio");
    for (Acceso acceso : o.accesos) {
        for (bool enLinea : o.modos) {
            std::vector<double> costos, costosPiso, picos;
            for (int n : o.tamanos) {
                const auto ms = Medir(o, {acceso, enLinea, Lote{Carga::Facturas, n, o.detalles},
                                          Lado::Corrida, Agrupacion{}});
                const std::string c1 = ColumnasEscala(ms[0], n, costos);
                const std::string c2 = ColumnasEscala(ms[1], n, costosPiso);
                std::printf("%-9s %-15s %8d | %s | %s | %s\n", NombreAccesoCorto(acceso),
                            NombreModo(enLinea), n, c1.c_str(), c2.c_str(),
                            ColumnaRazon(ms[1], ms[0]).c_str());
                Notas("run", ms[0]);
                Notas("floor per group", ms[1]);
                if (!ms[0].empty() && Mediana(ms[0]).hecha)
                    picos.push_back(double(Mediana(ms[0]).rssKiB));
                std::fflush(stdout);
            }
            if (o.tamanos.size() >= 2)
                std::printf(
                    "%-9s %-15s at %d / at %d entries: cost per entry run %s, floor %s; "
                    "run's peak memory %s%s\n",
                    NombreAccesoCorto(acceso), NombreModo(enLinea), o.tamanos.back(),
                    o.tamanos.front(), Crecimiento(costos).c_str(), Crecimiento(costosPiso).c_str(),
                    Crecimiento(picos).c_str(), o.memoria ? " (goal <= 1.10)" : "");
        }
    }
    std::printf("\n");
}

void BarridoEnvio(const Opciones& o) {
    const Lote lote{o.carga, o.documentos, o.detalles};
    TituloBarrido(o);
    for (Acceso acceso : o.accesos)
        for (bool enLinea : o.modos)
            Barrido(o, std::string(NombreAccesoCorto(acceso)) + " " + NombreModo(enLinea),
                    [&](Lado l, Agrupacion g) {
                        ConfiguracionEnvio c{acceso, enLinea, lote, l, g};
                        return Repetir(o.repeticiones, {[c] { return MedirEnvio(c); }})[0];
                    });
}

}  // namespace velmora::banco
