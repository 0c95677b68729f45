// Appends a million log lines to the model alone and reports the median cost per line and
// the resident memory per line beyond the text; then the cost of appending and drawing one
// line at once through the log view, at growing log sizes, with the view at the end of the log
// and scrolled back, and the memory of both.
//
//     QT_QPA_PLATFORM=offscreen ./build/bench_log
//     xvfb-run -a ./build/bench_log          (a real X server)

#include <malloc.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/log_model.h"
#include "app/log_view.h"
#include "widgets/fonts.h"

namespace {

using Relogio = std::chrono::steady_clock;

constexpr int Linhas = 1'000'000;
constexpr int Lote = 1000;

// Resident memory of this process in bytes.
long Memoria_Residente() {
    std::ifstream status("/proc/self/status");
    std::string palavra;
    while (status >> palavra) {
        if (palavra == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib * 1024;
        }
    }
    return 0;
}

// Lines shaped like the link's: queue lines, transmission lines with raw control bytes and
// status lines.
std::string Linha(int i) {
    char indice[16];
    std::snprintf(indice, sizeof indice, "%04d", i % 51);
    switch (i % 4) {
        case 0:
            return std::string("#Msg.=") + indice + " Tam.Msg.TX= 004 Msg.TX= ID02";
        case 1:
            return "Tam.Msg.TX= 007 Msg.TX= \x02ID02\x03\x0C";
        case 2:
            return std::string("#Msg.=") + indice + " Tam.Msg.RX= 001 Msg.RX= \x06";
        default:
            return "Status: Time-Out de Recep\xE7\xE3o!";
    }
}

double Mediana(std::vector<double> valores) {
    std::sort(valores.begin(), valores.end());
    return valores[valores.size() / 2];
}

void Medir_Modelo() {
    std::vector<std::string> linhas;
    linhas.reserve(64);
    for (int i = 0; i < 64; ++i) {
        linhas.push_back(Linha(i));
    }
    const long antes = Memoria_Residente();
    qx7::Modelo_Log modelo;
    std::vector<double> por_linha_ns;
    long bytes_texto = 0;
    for (int lote = 0; lote < Linhas / Lote; ++lote) {
        const auto inicio = Relogio::now();
        for (int i = 0; i < Lote; ++i) {
            const std::string& linha = linhas[static_cast<std::size_t>((lote * Lote + i) % 64)];
            modelo.Adicionar(linha);
            bytes_texto += static_cast<long>(linha.size());
        }
        const std::chrono::duration<double, std::nano> gasto = Relogio::now() - inicio;
        por_linha_ns.push_back(gasto.count() / Lote);
    }
    const long depois = Memoria_Residente();
    std::printf("model alone: %d lines, %ld text bytes (%.1f a line)\n", modelo.rowCount(),
                bytes_texto, static_cast<double>(bytes_texto) / Linhas);
    std::printf("  median cost per line: %.3f us (batches of %d)\n", Mediana(por_linha_ns) / 1000.0,
                Lote);
    std::printf("  resident memory growth: %ld bytes, beyond the text: %.1f bytes a line\n",
                depois - antes, static_cast<double>(depois - antes - bytes_texto) / Linhas);
}

// Median cost of appending and drawing one line at once, over Amostras lines.
double Custo_Por_Linha_Us(qx7::Registro_Log& registro) {
    constexpr int Amostras = 200;
    std::vector<double> custos_us;
    custos_us.reserve(Amostras);
    for (int i = 0; i < Amostras; ++i) {
        std::string linha = Linha(i);
        const auto inicio = Relogio::now();
        registro.Adicionar(std::move(linha));
        const std::chrono::duration<double, std::micro> gasto = Relogio::now() - inicio;
        custos_us.push_back(gasto.count());
    }
    return Mediana(custos_us);
}

// Two cases at each size: the operator at the end of the log (every line scrolls the view and
// the new row is drawn) and the operator scrolled back to the top (the new row is off screen;
// only the scroll bar changes).
void Medir_Vista() {
    const long antes = Memoria_Residente();
    long bytes_texto = 0;
    qx7::Modelo_Log modelo;
    qx7::Vista_Log vista;
    vista.setFont(qx7::Fonte("Courier New", 8.25));
    vista.setModel(&modelo);
    vista.resize(609, 156);
    vista.show();
    QApplication::processEvents();
    qx7::Registro_Log registro(modelo, vista);
    for (const int tamanho : {1'000, 10'000, 100'000, 1'000'000}) {
        vista.scrollToTop();
        while (modelo.rowCount() < tamanho) {
            const std::string linha = Linha(modelo.rowCount());
            modelo.Adicionar(linha);
            bytes_texto += static_cast<long>(linha.size());
        }
        QApplication::processEvents();  // the scroll bar takes the new lines
        vista.scrollToBottom();
        QApplication::processEvents();
        const double no_fim = Custo_Por_Linha_Us(registro);
        QApplication::processEvents();
        vista.scrollToTop();
        QApplication::processEvents();
        const double no_topo = Custo_Por_Linha_Us(registro);
        std::printf(
            "view: append and draw at %7d lines: median %6.1f us a line at the end, "
            "%6.1f us scrolled back\n",
            tamanho, no_fim, no_topo);
    }
    std::printf("view and model at %d lines: %.1f bytes a line beyond the text\n",
                modelo.rowCount(),
                static_cast<double>(Memoria_Residente() - antes - bytes_texto) / modelo.rowCount());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication aplicacao(argc, argv);
    qx7::Instalar_Substituicoes_Fontes();
    Medir_Modelo();
    malloc_trim(0);  // give the first model's memory back, so the second count starts clean
    Medir_Vista();
    return 0;
}
