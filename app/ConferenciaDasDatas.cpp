#include "app/ConferenciaDasDatas.h"

#include "app/LeitoresDeTela.h"
#include "app/SeletorDeData.h"
#include "messages/UnFuncao.h"

#include <QComboBox>

#include <optional>

bool datasConferidas(std::initializer_list<DataAConferir> datas) {
    for (const auto& [seletor, ponta, linha] : datas) {
        seletor->completarAno();
        const std::optional<QDate> data = seletor->dataMostrada();
        if (!data) {
            Mensagem("O texto \"" + seletor->text().toStdString() + "\" na data " + ponta +
                         " de \"" + nomeDaLinha(*linha).toStdString() +
                         "\" não é uma data completa. Corrija a data e imprima de novo.",
                     Advertencia);
            // Back in the field, its first section selected, ready for the date typed anew. The
            // spin box's own way of selecting a section would put back its last whole date.
            seletor->setFocus();
            seletor->irParaASecao(0);
            return false;
        }
        seletor->setDate(*data);
    }
    return true;
}
