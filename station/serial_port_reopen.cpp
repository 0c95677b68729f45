// The port given up and tried again: the loss, the reopen attempts with their growing waits,
// and the lines that tell the log why the port is not back.
#include "station/base_dir.h"
#include "station/serial_port_qt.h"
#include "station/serial_port_qt_state.h"

namespace qx7 {

namespace {

QString Texto_Tentativas(int tentativas) {
    return tentativas == 1 ? QStringLiteral("1 tentativa")
                           : QStringLiteral("%1 tentativas").arg(tentativas);
}

}  // namespace

void Porta_Serial_Qt::Perder(const QString& motivo) {
    Estado& e = *estado_;
    if (e.reabertura.confirmando) {
        Tentativa_Falhou(motivo);
        return;
    }
    const QString linha =
        QStringLiteral(
            "A porta serial %1 (%2) deixou de responder e foi fechada: %3; a abertura "
            "será tentada de novo")
            .arg(e.Nome(), e.porta.portName(), motivo);
    Fechar();
    Iniciar_Reabertura();
    e.erro = linha;
    emit Falha(linha);
}

void Porta_Serial_Qt::Reiniciar(const QString& motivo) {
    Estado& e = *estado_;
    if (e.reabertura.confirmando) {
        Tentativa_Falhou(motivo);
        return;
    }
    if (!e.porta.isOpen()) {
        return;  // closed on purpose, or already being reopened
    }
    const QString linha = QStringLiteral("A porta serial %1 (%2) foi fechada para ser reaberta: %3")
                              .arg(e.Nome(), e.porta.portName(), motivo);
    Fechar();
    Iniciar_Reabertura();
    e.erro = linha;
    emit Falha(linha);
}

void Porta_Serial_Qt::Aguardar_Dispositivo() {
    const Estado& e = *estado_;
    if (!e.porta.isOpen() && !e.reabertura.ativa) {
        Iniciar_Reabertura();
    }
}

void Porta_Serial_Qt::Iniciar_Reabertura() {
    Reabertura& r = estado_->reabertura;
    r.ativa = true;
    r.confirmando = false;
    r.tentativas = 0;
    r.motivo.clear();
    r.espera.Perdida(Espera_Reabertura::Relogio::now());
    r.temporizador.start(r.espera.Atual());
}

void Porta_Serial_Qt::Parar_Reabertura() {
    Reabertura& r = estado_->reabertura;
    r.ativa = false;
    r.confirmando = false;
    r.temporizador.stop();
}

// An attempt ends only once the port is open, its input discarded and its line has answered
// the first sample (Ao_Amostra), so a device that opens and fails at once is not "reaberta".
void Porta_Serial_Qt::Tentar_Reabrir() {
    Estado& e = *estado_;
    Reabertura& r = e.reabertura;
    if (!r.ativa || e.porta.isOpen()) {
        return;
    }
    ++r.tentativas;
    if (const std::optional<QString> motivo = Abrir()) {
        Tentativa_Falhou(*motivo);
        return;
    }
    if (!e.porta.clear(QSerialPort::Input)) {
        Tentativa_Falhou(QStringLiteral("a porta abriu, mas recusou o descarte: %1")
                             .arg(e.Tomar_Motivo_Erro_Qt()));
        return;
    }
    r.confirmando = true;
}

void Porta_Serial_Qt::Tentativa_Falhou(const QString& motivo) {
    Estado& e = *estado_;
    Reabertura& r = e.reabertura;
    r.confirmando = false;
    Fechar();
    e.erro = QStringLiteral("A porta %1 não pode ser aberta: %2").arg(e.Nome(), motivo);
    if (motivo != r.motivo) {
        r.motivo = motivo;
        emit Aviso(QStringLiteral("Porta serial %1 ainda fechada após %2: %3")
                       .arg(e.Nome(), Texto_Tentativas(r.tentativas), motivo));
    }
    // A device that is simply not there costs nothing to look for, and an operator who plugs
    // it back expects it at once; a device there that fails is tried less and less often.
    if (Resolver_COM(e.base, e.numero).situacao != Dispositivo_COM::Situacao::Aguardando) {
        r.espera.Tentativa_Falhou();
    }
    r.temporizador.start(r.espera.Atual());
}

void Porta_Serial_Qt::Concluir_Reabertura() {
    Estado& e = *estado_;
    Reabertura& r = e.reabertura;
    r.espera.Reaberta(Espera_Reabertura::Relogio::now());
    Parar_Reabertura();
    Descartar_Entrada();
    emit Reaberta(QStringLiteral("Porta serial %1 reaberta").arg(e.Nome()));
}

}  // namespace qx7
