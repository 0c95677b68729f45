#include "app/setup_services.h"

#include "station/base_dir.h"
#include "station/com_number.h"
#include "station/config_file.h"
#include "station/port_opening.h"

namespace qx7 {

Servicos_Form4 Servicos_Configuracao(const std::filesystem::path& base,
                                     std::function<std::unique_ptr<PortaSerial>()> criar_porta,
                                     std::shared_ptr<const Descoberta_Portas> descoberta) {
    Servicos_Form4 servicos;
    servicos.arquivo_configuracao = Arquivo_Configuracao(base);
    servicos.ler_porta_configurada = [arquivo = servicos.arquivo_configuracao] {
        return Ler_Primeiro_Campo(arquivo);
    };
    servicos.gravar_porta = [arquivo = servicos.arquivo_configuracao](std::string_view porta,
                                                                      std::string& erro) {
        return Gravar_Configuracao(arquivo, porta, erro);
    };
    servicos.numero_porta = Numero_Porta;
    servicos.criar_porta = std::move(criar_porta);
    servicos.abrir_porta = [](PortaSerial& canal, int numero) {
        return Abrir_Porta(canal, numero, Uso_Da_Porta::Sondagem);
    };
    servicos.portas_presentes = [descoberta] { return Portas_Presentes(*descoberta); };
    servicos.motivo_indisponivel = [descoberta](const std::filesystem::path& dispositivo) {
        return Motivo_Indisponivel(*descoberta, dispositivo);
    };
    servicos.com_leva_a = [base](int numero, const std::filesystem::path& dispositivo) {
        return Mesmo_Dispositivo(dispositivo, Resolver_COM(base, numero).caminho.toStdU16String());
    };
    servicos.numero_com = [base](const std::filesystem::path& alvo, const std::set<int>& do_sistema,
                                 int maximo) -> std::optional<Numero_COM_Adaptador> {
        const std::map<int, std::filesystem::path> entradas = Entradas_COM(base);
        const std::optional<int> numero = Numero_COM(entradas, do_sistema, alvo, maximo);
        if (!numero) {
            return std::nullopt;
        }
        return Numero_COM_Adaptador{*numero, entradas.contains(*numero)};
    };
    servicos.ligar_com = [base](int numero, const std::filesystem::path& alvo, std::string& erro) {
        return Ligar_COM(base, numero, alvo, erro);
    };
    return servicos;
}

}  // namespace qx7
