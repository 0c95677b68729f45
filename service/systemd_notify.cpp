#include "service/systemd_notify.h"

#ifdef QX7_COM_SYSTEMD
#include <systemd/sd-daemon.h>
#endif

#include <cstdint>

namespace qx7 {

namespace {

constexpr std::uint64_t Microssegundos_Por_Ms = 1000;
constexpr int Intervalo_Estado_ms = 1000;

}  // namespace

Aviso_Systemd::Aviso_Systemd(QObject* parent) : QObject(parent) {
    intervalo_estado_.setSingleShot(true);
    intervalo_estado_.setInterval(Intervalo_Estado_ms);
    connect(&intervalo_estado_, &QTimer::timeout, this, &Aviso_Systemd::Enviar_Estado);
#ifdef QX7_COM_SYSTEMD
    std::uint64_t intervalo_us = 0;
    if (sd_watchdog_enabled(0, &intervalo_us) > 0) {
        intervalo_vigia_ms_ = static_cast<int>(intervalo_us / Microssegundos_Por_Ms);
    }
#endif
    if (intervalo_vigia_ms_ > 0) {
        // Half the interval, as systemd advises: a late tick of the loop still arrives in time.
        connect(&vigia_, &QTimer::timeout, this, [this] { Notificar("WATCHDOG=1"); });
        vigia_.start(intervalo_vigia_ms_ / 2);
    }
}

void Aviso_Systemd::Pronto() {
    Notificar("READY=1");
}

void Aviso_Systemd::Estado(const QString& texto) {
    estado_ = texto.toUtf8();
    if (!intervalo_estado_.isActive()) {
        Enviar_Estado();
        intervalo_estado_.start();
    }
}

void Aviso_Systemd::Enviar_Estado() {
    if (estado_ != estado_enviado_) {
        Notificar("STATUS=" + estado_);
        estado_enviado_ = estado_;
    }
}

void Aviso_Systemd::Parando() {
    vigia_.stop();
    Notificar("STOPPING=1");
}

void Aviso_Systemd::Notificar(const QByteArray& mensagem) {
#ifdef QX7_COM_SYSTEMD
    sd_notify(0, mensagem.constData());
#else
    static_cast<void>(mensagem);
#endif
}

}  // namespace qx7
