// Measuring: each measurement runs in a child process of its own, so that its peak memory
// and its engine state (embedded, the engine lives in the process) belong to it alone; the
// repetitions of a side are summed up by their median, a run against a floor by the median
// of the ratios of back-to-back pairs.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

namespace velmora::banco {

using Reloj = std::chrono::steady_clock;

// What one measurement reports; a plain record, it crosses a pipe as bytes.
struct Medida {
    bool hecha = false;
    double segundos = 0;
    long entradas = 0, enviadas = 0, fallidas = 0;
    long filas = 0, filasEsperadas = 0;  // document rows in the target after the run
    long rssKiB = 0;
    double cpuSegundos = 0;  // of the measuring process, engine included when embedded
    long segmentos = -1;     // TCP data segments sent to the server; -1: not counted
    long grupos = 0;         // commits of groups of entries (floor per group)
    bool verificada = false;
    char nota[768] = {};
};

// Appends a note (one line) to a record's notes.
template <class R>
void Anotar(R& m, const std::string& texto) {
    std::string t = m.nota;
    if (!t.empty()) t += "; ";
    for (char ch : texto) t += ch == '\n' ? ' ' : ch;
    std::snprintf(m.nota, sizeof m.nota, "%s", t.c_str());
}

// Peak resident memory of this process so far.
long RssKiB();
// Processor time of this process so far, user and system, every thread.
double CpuSegundos();

// The TCP port of the Firebird server the installations name: the one of the tests' server
// (VELMORA_PRUEBAS_SERVIDOR, "localhost/PORT"), 3050 when it names none.
int PuertoServidor();

// The round trips of this process to the server, counted from outside the client library:
// the TCP data segments its sockets connected to the server's port have sent
// (TCP_INFO tcpi_data_segs_out), each socket found through /proc/self/fd. A request goes
// out as one segment and waits for its answer, so segments sent count round trips, a packet
// that the client defers riding with the next. Sockets are opened and closed inside the
// measured part, so a thread reads them every few milliseconds and keeps each socket's last
// figure; a socket's last few milliseconds before its close (its detach) may go uncounted.
class ContadorSegmentos {
  public:
    ContadorSegmentos();
    ~ContadorSegmentos();
    ContadorSegmentos(const ContadorSegmentos&) = delete;
    ContadorSegmentos& operator=(const ContadorSegmentos&) = delete;
    // Stops counting; the segments sent since the start.
    long parar();

  private:
    void leer();

    std::map<unsigned long, long> inicial_, ultimo_;  // by socket inode
    std::atomic<bool> seguir_{true};
    std::thread hilo_;
};

// The load average of the last minute, as text.
std::string CargaDelSistema();

// Runs `medir` in a child process and returns what it reported. R is a plain record with
// the fields hecha and nota; an exception or a death of the child becomes a note.
template <class R, class F>
R Aparte(F&& medir) {
    static_assert(std::is_trivially_copyable_v<R>, "the result crosses a pipe as bytes");
    int tubo[2];
    if (pipe(tubo) != 0) throw std::runtime_error("pipe");
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t hijo = fork();
    if (hijo < 0) throw std::runtime_error("fork");
    if (hijo == 0) {
        close(tubo[0]);
        R m;
        try {
            m = medir();
        } catch (const std::exception& error) {
            m.hecha = false;
            Anotar(m, std::string("aborted: ") + error.what());
        } catch (...) {
            m.hecha = false;
            Anotar(m, "aborted by an unknown exception");
        }
        const char* p = reinterpret_cast<const char*>(&m);
        for (size_t hecho = 0; hecho < sizeof m;) {
            ssize_t n = write(tubo[1], p + hecho, sizeof m - hecho);
            if (n <= 0) break;
            hecho += size_t(n);
        }
        close(tubo[1]);
        std::fflush(stdout);
        _exit(0);
    }
    close(tubo[1]);
    R m;
    char* p = reinterpret_cast<char*>(&m);
    size_t leido = 0;
    while (leido < sizeof m) {
        ssize_t n = read(tubo[0], p + leido, sizeof m - leido);
        if (n <= 0) break;
        leido += size_t(n);
    }
    close(tubo[0]);
    int estado = 0;
    waitpid(hijo, &estado, 0);
    if (leido != sizeof m) {
        m = R{};
        Anotar(m, WIFSIGNALED(estado)
                      ? "the measurement process died of signal " + std::to_string(WTERMSIG(estado))
                      : std::string("the measurement process reported nothing"));
    }
    return m;
}

// The repetition of median time stands for the side; its peak memory is the highest of all.
// A failed repetition stands for the side instead.
Medida Mediana(std::vector<Medida> ms);

// Time of `numerador` / time of `denominador`, per back-to-back pair, median of the pairs;
// none when a side failed, failed entries or did not leave the expected rows.
std::optional<double> Razon(const std::vector<Medida>& numerador,
                            const std::vector<Medida>& denominador);

// Each repetition measures every side once, in an order that rotates from one repetition to
// the next, so that a drift of the machine's load falls on all sides alike. A side without
// function is left out (its list stays empty).
std::vector<std::vector<Medida>> Repetir(int veces,
                                         const std::vector<std::function<Medida()>>& lados);

}  // namespace velmora::banco
