#include "station/alarm_settings.h"

#include <QRegularExpression>
#include <array>
#include <cmath>

namespace qx7 {

namespace {

QString Texto(double valor) {
    return QString::number(valor, 'g', 15);
}

// Empty when `valor` may stand for `chave`.
QString Motivo_Valor(const QString& chave, double valor, double minimo, double maximo,
                     bool inteiro) {
    if (!(valor >= minimo && valor <= maximo)) {
        return QStringLiteral("%1: %2 fora de %3 a %4")
            .arg(chave, Texto(valor), Texto(minimo), Texto(maximo));
    }
    if (inteiro && valor != std::floor(valor)) {
        return QStringLiteral("%1: %2 não é um número inteiro").arg(chave, Texto(valor));
    }
    return {};
}

// The value of `chave` (in the group open) within its range; none, and the reason, otherwise.
std::optional<double> Ler(QSettings& p, const QString& chave, const QString& nome, double minimo,
                          double maximo, bool inteiro, QStringList& recusas) {
    const QVariant guardado = p.value(chave);
    if (!guardado.isValid()) {
        return std::nullopt;
    }
    const std::optional<double> numero = Numero_Preferencia(guardado);
    if (!numero) {
        recusas << Motivo_Nao_Numero(nome, guardado.toString());
        return std::nullopt;
    }
    if (const QString motivo = Motivo_Valor(nome, *numero, minimo, maximo, inteiro);
        !motivo.isEmpty()) {
        recusas << motivo;
        return std::nullopt;
    }
    return numero;
}

// The levels of tank `tanque` (0: the defaults) in the group open.
Limites_Nivel Ler_Niveis(QSettings& p, int tanque, QStringList& recusas) {
    const QString prefixo = tanque == 0 ? QString() : QStringLiteral("Tanque%1/").arg(tanque);
    Limites_Nivel limites;
    for (const Chave_Nivel& c : Chaves_Nivel) {
        limites.*c.membro = Ler(p, prefixo + QLatin1String(c.nome), Nome_Chave(tanque, c.nome),
                                Nivel_Minimo, Nivel_Maximo, false, recusas);
    }
    return limites;
}

int Tanque_Do_Grupo(const QString& grupo) {
    static const QRegularExpression tanque(QStringLiteral("^Tanque([0-9]{1,2})$"));
    const QRegularExpressionMatch achado = tanque.match(grupo);
    const int n = achado.hasMatch() ? achado.captured(1).toInt() : 0;
    return n >= 1 && n <= Maximo_Tanques_Alarme ? n : 0;
}

QString Motivo_Niveis(const QString& onde, const Limites_Nivel& limites) {
    const Chave_Nivel* abaixo = nullptr;
    for (const Chave_Nivel& c : Chaves_Nivel) {
        if (!(limites.*c.membro)) {
            continue;
        }
        if (abaixo != nullptr && !(*(limites.*abaixo->membro) < *(limites.*c.membro))) {
            return QStringLiteral("%1: %2 (%3) deve ser menor que %4 (%5)")
                .arg(onde, QLatin1String(abaixo->nome), Texto(*(limites.*abaixo->membro)),
                     QLatin1String(c.nome), Texto(*(limites.*c.membro)));
        }
        abaixo = &c;
    }
    return {};
}

QString Motivo_Faixas(const Config_Alarmes& config) {
    for (const Chave_Geral& c : Chaves_Gerais) {
        const double valor =
            c.real != nullptr ? config.*c.real : static_cast<double>(config.*c.inteiro);
        if (QString motivo = Motivo_Chave_Geral(c, valor); !motivo.isEmpty()) {
            return motivo;
        }
    }
    const auto niveis = [](int tanque, const Limites_Nivel& limites) {
        for (const Chave_Nivel& c : Chaves_Nivel) {
            if (const auto valor = limites.*c.membro) {
                if (QString motivo = Motivo_Valor(Nome_Chave(tanque, c.nome), *valor, Nivel_Minimo,
                                                  Nivel_Maximo, false);
                    !motivo.isEmpty()) {
                    return motivo;
                }
            }
        }
        return QString();
    };
    if (QString motivo = niveis(0, config.padrao); !motivo.isEmpty()) {
        return motivo;
    }
    for (const auto& [tanque, limites] : config.tanques) {
        if (tanque < 1 || tanque > Maximo_Tanques_Alarme) {
            return QStringLiteral("Tanque%1: tanque fora de 1 a %2")
                .arg(tanque)
                .arg(Maximo_Tanques_Alarme);
        }
        if (QString motivo = niveis(tanque, limites); !motivo.isEmpty()) {
            return motivo;
        }
    }
    return {};
}

}  // namespace

const std::array<Chave_Nivel, 4> Chaves_Nivel = {{
    {"MuitoBaixo", &Limites_Nivel::muito_baixo},
    {"Baixo", &Limites_Nivel::baixo},
    {"Alto", &Limites_Nivel::alto},
    {"MuitoAlto", &Limites_Nivel::muito_alto},
}};

const std::array<Chave_Geral, 6> Chaves_Gerais = {{
    {.nome = "Histerese", .minimo = 0, .maximo = 10, .real = &Config_Alarmes::histerese},
    {.nome = "QuedaVolume", .minimo = 0, .maximo = 1e7, .real = &Config_Alarmes::queda_volume},
    {.nome = "QuedaMinutos",
     .minimo = 0,
     .maximo = 1440,
     .inteiro = &Config_Alarmes::queda_minutos},
    {.nome = "SemRespostaMinutos",
     .minimo = 0,
     .maximo = 1440,
     .inteiro = &Config_Alarmes::sem_resposta_minutos},
    {.nome = "DescargaMinima",
     .minimo = 1,
     .maximo = 1e7,
     .real = &Config_Alarmes::descarga_minima},
    {.nome = "PrevisaoDias", .minimo = 0, .maximo = 60, .real = &Config_Alarmes::previsao_dias},
}};

// The file's format takes a comma for a list of two texts unless quoted.
std::optional<double> Numero_Preferencia(const QVariant& valor) {
    QString texto = valor.typeId() == QMetaType::QStringList
                        ? valor.toStringList().join(QLatin1Char(','))
                        : valor.toString();
    bool ok = false;
    const double numero = texto.trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok && std::isfinite(numero) ? std::optional(numero) : std::nullopt;
}

QString Motivo_Chave_Geral(const Chave_Geral& chave, double valor) {
    return Motivo_Valor(QLatin1String(chave.nome), valor, chave.minimo, chave.maximo,
                        chave.inteiro != nullptr);
}

QString Nome_Chave(int tanque, const char* nome) {
    return tanque == 0 ? QLatin1String(nome)
                       : QStringLiteral("Tanque%1\\%2").arg(tanque).arg(QLatin1String(nome));
}

QString Motivo_Nao_Numero(const QString& chave, const QString& texto) {
    return QStringLiteral("%1: «%2» não é um número").arg(chave, texto);
}

Leitura_Config_Alarmes Ler_Config_Alarmes(QSettings& p) {
    Leitura_Config_Alarmes lida;
    p.beginGroup(QLatin1String(Grupo_Alarmes));
    lida.config.padrao = Ler_Niveis(p, 0, lida.recusas);
    for (const Chave_Geral& c : Chaves_Gerais) {
        const QString nome = QLatin1String(c.nome);
        const auto valor =
            Ler(p, nome, nome, c.minimo, c.maximo, c.inteiro != nullptr, lida.recusas);
        if (valor && c.real != nullptr) {
            lida.config.*c.real = *valor;
        } else if (valor) {
            lida.config.*c.inteiro = static_cast<int>(*valor);
        }
    }
    for (const QString& grupo : p.childGroups()) {
        const int tanque = Tanque_Do_Grupo(grupo);
        if (tanque == 0) {
            lida.recusas << QStringLiteral("%1: tanque fora de 1 a %2")
                                .arg(grupo)
                                .arg(Maximo_Tanques_Alarme);
            continue;
        }
        lida.config.tanques[tanque] = Ler_Niveis(p, tanque, lida.recusas);
    }
    p.endGroup();
    return lida;
}

QString Motivo_Recusa(const Config_Alarmes& config) {
    if (QString motivo = Motivo_Faixas(config); !motivo.isEmpty()) {
        return motivo;
    }
    if (QString motivo = Motivo_Niveis(QStringLiteral("Padrão"), config.padrao);
        !motivo.isEmpty()) {
        return motivo;
    }
    for (const auto& [tanque, limites] : config.tanques) {
        if (QString motivo = Motivo_Niveis(QStringLiteral("Tanque %1").arg(tanque),
                                           Limites_Do_Tanque(config, tanque));
            !motivo.isEmpty()) {
            return motivo;
        }
    }
    return {};
}

bool Gravar_Config_Alarmes(QSettings& p, const Config_Alarmes& config) {
    const auto niveis = [&p](const QString& prefixo, const Limites_Nivel& limites) {
        for (const Chave_Nivel& c : Chaves_Nivel) {
            if (const auto valor = limites.*c.membro) {
                p.setValue(prefixo + QLatin1String(c.nome), *valor);
            }
        }
    };
    p.remove(QLatin1String(Grupo_Alarmes));
    p.beginGroup(QLatin1String(Grupo_Alarmes));
    niveis(QString(), config.padrao);
    for (const Chave_Geral& c : Chaves_Gerais) {
        p.setValue(QLatin1String(c.nome),
                   c.real != nullptr ? QVariant(config.*c.real) : QVariant(config.*c.inteiro));
    }
    for (const auto& [tanque, limites] : config.tanques) {
        niveis(QStringLiteral("Tanque%1/").arg(tanque), limites);
    }
    p.endGroup();
    p.sync();
    return p.status() == QSettings::NoError;
}

}  // namespace qx7
