#include "shell/HelpTopics.h"

#include <QDir>

namespace HelpTopics {

namespace {

// The launcher topic is made of five runs of paragraphs; the three app topics are three of them,
// so every paragraph is written once.

QStringList introduction()
{
    return {
        QStringLiteral("Cablora è un software rivolto alle officine di elettrauto che desiderano compilare, stampare "
                       "e archiviare in modo semplice e veloce le proprie schede di intervento, tenendo in ordine i "
                       "dati dei clienti e dei veicoli. Il programma riunisce tre app, che si aprono con un clic "
                       "dalla schermata iniziale: Anagrafica Clienti, Parco Automezzi e Schede Interventi. Ogni "
                       "scheda di intervento riceve automaticamente un numero progressivo, riporta l'intestazione e "
                       "il logo dell'officina e può contenere due foto del veicolo, caricate da file oppure scattate "
                       "al momento con la webcam."),
    };
}

QStringList customerSection()
{
    return {
        QStringLiteral("L'app Anagrafica Clienti è utile per velocizzare la compilazione delle schede di intervento: "
                       "i dati del cliente e del suo veicolo, registrati una volta sola, si importano nella scheda "
                       "con un doppio clic, senza doverli digitare di nuovo. L'app costituisce inoltre una rubrica "
                       "completa, dalla quale è possibile inviare un messaggio di posta elettronica al cliente e "
                       "controllare la correttezza del codice fiscale, della partita IVA, del numero della carta di "
                       "credito e dell'IBAN."),
        QStringLiteral("Nell'archivio anagrafico è possibile annotare, per ciascun cliente, il cognome, il nome, "
                       "l'eventuale denominazione della ditta, il sesso, il telefono preferenziale, l'indirizzo, il "
                       "comune, la provincia e il CAP di residenza, la data, il comune e la provincia di nascita, i "
                       "numeri di telefono di casa, dell'ufficio e del cellulare, l'indirizzo PEC e l'indirizzo "
                       "e-mail, il codice fiscale, il numero e la scadenza della carta di credito, la partita IVA, "
                       "l'IBAN e il Codice Destinatario assegnato dal Sistema di Interscambio per la ricezione delle "
                       "fatture elettroniche. La sigla della provincia si sceglie dall'elenco oppure si digita; la "
                       "provincia, il codice fiscale, l'IBAN, la targa e il Codice Destinatario vengono scritti "
                       "automaticamente in maiuscolo. In molti campi non è possibile digitare le lettere accentate "
                       "e i caratteri & / < > £ °: al posto di una vocale accentata si scriva la vocale seguita "
                       "dall'apostrofo."),
        QStringLiteral("La scheda del cliente consente, inoltre, di registrare le informazioni relative "
                       "all'automezzo di sua proprietà: il tipo di veicolo, la marca e il modello, il numero di "
                       "telaio, la data di immatricolazione, l'alimentazione e la targa. Se il veicolo è già "
                       "registrato nell'app Parco Automezzi, basta fare clic sulla freccia verde accanto al campo "
                       "Targa, cercare il veicolo e fare doppio clic sulla voce in elenco per importarne i dati. Il "
                       "campo Note, infine, è a disposizione per qualsiasi altra annotazione."),
        QStringLiteral("Per inserire una scheda in archivio, bisogna fare clic sul pulsante Nuovo, compilare i campi "
                       "desiderati e premere il pulsante Salva: gli unici dati obbligatori sono il cognome e il nome "
                       "del cliente. Per modificare una scheda già archiviata, occorre prima visualizzarla, "
                       "scorrendo l'archivio con i pulsanti a forma di freccia oppure cercandola con la funzione "
                       "Trova, quindi apportare le modifiche e premere di nuovo Salva. Le modifiche non salvate "
                       "vanno perse se si passa a un'altra scheda o si preme Nuovo; all'uscita dall'app, invece, il "
                       "programma chiede se si desidera salvarle."),
        QStringLiteral("Se esistono importanti questioni in sospeso con il cliente, ad esempio un preventivo da "
                       "confermare, un ricambio da ordinare o un pagamento da sollecitare, è possibile descriverle "
                       "nel campo Questioni in sospeso e spuntare la casella Da ricontattare prima di salvare la "
                       "scheda. Il pulsante Da ricontattare mostra in qualsiasi momento l'elenco dei clienti da "
                       "richiamare, con il telefono, il veicolo e la questione annotata: l'elenco può essere "
                       "stampato e, con un doppio clic su una voce, si richiama la scheda del cliente. Quando la "
                       "questione è risolta, basta togliere la spunta dalla casella e salvare di nuovo la scheda "
                       "perché il cliente scompaia dall'elenco."),
        QStringLiteral("Il pulsante Duplica è utile se si ha bisogno di registrare un cliente che possiede più di un "
                       "veicolo: poiché ogni scheda anagrafica contiene i dati di un solo automezzo, è sufficiente "
                       "richiamare la scheda già archiviata, premere Duplica, sostituire i dati del veicolo e "
                       "premere Salva. Si ottiene così una scheda per ciascun veicolo senza dover digitare di nuovo "
                       "i dati anagrafici, mentre la scheda di partenza resta invariata. La copia non riprende i "
                       "file allegati alla scheda originale, e la duplicazione è possibile soltanto per una scheda "
                       "già inserita in archivio."),
        QStringLiteral("Per trovare le schede dei clienti in archivio, bisogna fare clic sul pulsante Trova, "
                       "digitare una o più parole consecutive contenute nei dati da cercare in uno o più dei campi "
                       "proposti (cognome, denominazione della ditta, partita IVA, codice fiscale, comune di "
                       "residenza, marca e modello del veicolo, targa, telefono cellulare, questioni in sospeso e "
                       "note) e premere Cerca. Non occorre distinguere tra maiuscole e minuscole e si possono usare "
                       "più filtri contemporaneamente: scrivendo ad esempio ross nel campo del cognome e fiat in "
                       "quello del veicolo, si ottengono tutti i clienti il cui cognome contiene ross e che "
                       "possiedono una Fiat. Lasciando vuoti tutti i campi si ottiene l'elenco completo. I "
                       "risultati sono elencati in ordine alfabetico, possono essere stampati con il pulsante "
                       "Stampa e, con un doppio clic su una voce, si richiama la scheda del cliente."),
        QStringLiteral("La funzione Allega file consente di abbinare alla scheda di ciascun cliente fino a tre file "
                       "di qualsiasi tipo, ad esempio la scansione di un documento d'identità, un contratto o un "
                       "preventivo. Per ogni file si preme Sfoglia... e lo si sceglie sul disco: il programma ne "
                       "conserva una copia nella cartella Documenti_Allegati, all'interno della cartella del "
                       "programma, e chiede conferma prima di sostituire un file con lo stesso nome. Accanto a "
                       "ciascun file si può scrivere una breve descrizione, mentre il pulsante Apri lo apre con il "
                       "programma predefinito del computer. Al termine si preme Applica e chiudi e poi Salva, per "
                       "registrare gli allegati nella scheda."),
        QStringLiteral("Appositi pulsanti consentono di controllare la validità del codice fiscale, del numero della "
                       "carta di credito, dell'IBAN e della partita IVA: basta fare clic sul segno di spunta verde "
                       "accanto al campo. Il programma verifica il carattere o la cifra di controllo e comunica se "
                       "il dato è corretto; per la carta di credito indica anche il tipo di carta e, per una partita "
                       "IVA corretta, l'ufficio provinciale che l'ha rilasciata. Se nel campo del codice fiscale è "
                       "riportato un codice di sole cifre, come quello di molte società, viene controllata la "
                       "partita IVA. Il controllo riguarda la correttezza formale del dato e non ne accerta "
                       "l'esistenza. Il pulsante con la busta, accanto al campo E-mail, apre il programma di posta "
                       "elettronica predefinito con un nuovo messaggio indirizzato al cliente."),
        QStringLiteral("La scheda di ogni singolo cliente può essere stampata su carta o salvata in un file PDF, "
                       "mentre l'intero archivio può essere esportato in un file di Excel."),
    };
}

QStringList vehicleSection()
{
    return {
        QStringLiteral("L'app Parco Automezzi permette di creare una dettagliata scheda descrittiva di ogni mezzo "
                       "seguito dall'officina. Nella scheda si possono annotare il tipo di veicolo, gli accessori "
                       "installati, la marca e il modello, la targa e il numero di telaio, l'anno di "
                       "immatricolazione, il colore, i pneumatici, lo stato del veicolo, l'alimentazione, la potenza "
                       "in kW, la cilindrata, i chilometri percorsi con la data della lettura, il numero di posti, "
                       "la portata massima e la classe di compatibilità ambientale. Del numero di telaio l'archivio "
                       "conserva i primi dieci caratteri."),
        QStringLiteral("E' inoltre possibile annotare gli incidenti subiti dal veicolo, la compagnia assicurativa "
                       "con il telefono dell'assicuratore e il numero dell'ultima polizza, le centraline "
                       "installate, il nome e il telefono del proprietario e del meccanico di fiducia. Il campo "
                       "Note, in fondo alla scheda, accoglie qualsiasi altra informazione utile."),
        QStringLiteral("Per registrare una nuova scheda, è sufficiente fare clic sul pulsante Nuovo, compilare i "
                       "campi e premere Salva; il tasto Invio sposta il cursore da un campo al successivo. Il tipo "
                       "di veicolo, la marca, il modello e la targa sono obbligatori: se uno di essi manca, il "
                       "programma lo segnala e la scheda non viene salvata. La targa viene scritta automaticamente "
                       "in maiuscolo e senza spazi all'inizio o alla fine."),
        QStringLiteral("Per aggiornare una scheda esistente, bisogna richiamarla sullo schermo, cercandola con il "
                       "pulsante Trova oppure scorrendo l'archivio con le frecce della barra dei comandi (prima, "
                       "precedente, successiva e ultima scheda), modificare i dati e premere Salva: la scheda viene "
                       "sovrascritta nella posizione indicata dal numero che compare tra le frecce. Le schede non "
                       "si possono cancellare, ma solo modificare."),
        QStringLiteral("Il pulsante Carica foto permette di inserire l'immagine del veicolo in formato Jpeg o "
                       "Bitmap: la foto viene adattata alla cornice mantenendo le proporzioni. I pulsanti sotto la "
                       "cornice permettono di visualizzare la foto ingrandita a tutto schermo (un clic sulla foto "
                       "chiude la finestra), di salvarne una copia in formato Jpeg in una cartella a scelta e di "
                       "cancellarla dalla scheda. La foto diventa parte della scheda solo quando si preme Salva: "
                       "viene allora conservata nella cartella Autoparco, all'interno della cartella del programma."),
        QStringLiteral("Il pulsante Slide Show mostra in sequenza ad intervalli di sei secondi le foto di tutti i "
                       "veicoli del parco automezzi, a tutto schermo e nell'ordine in cui sono stati archiviati. "
                       "Dopo l'ultima foto la presentazione ricomincia dalla prima; per interromperla è sufficiente "
                       "fare clic in un punto qualsiasi dello schermo. I veicoli senza foto compaiono con "
                       "l'immagine predefinita."),
        QStringLiteral("Il pulsante Duplica è utile se si deve registrare la scheda di un nuovo veicolo che ha molti "
                       "elementi in comune con quella di un veicolo già in archivio. A tal fine basta richiamare la "
                       "scheda esistente, premere Duplica, modificare i dati che cambiano, come la targa e il "
                       "telaio, caricare se necessario la foto del nuovo veicolo e premere Salva: la nuova scheda "
                       "viene aggiunta all'archivio e quella di partenza resta invariata. La copia non riprende la "
                       "foto né i file allegati della scheda originale."),
        QStringLiteral("Il programma consente di allegare a ciascuna scheda file esterni di qualsiasi genere, fino a "
                       "un massimo di tre, ad esempio la scansione del libretto di circolazione, la polizza "
                       "assicurativa o la fattura di un ricambio. Il pulsante Allega file apre una finestra in cui "
                       "scegliere i file con Sfoglia..., descriverli e aprirli con il pulsante Apri; i file vengono "
                       "copiati nella cartella Documenti_Allegati del programma. Dopo aver premuto Applica e "
                       "chiudi, occorre salvare la scheda per conservare gli allegati."),
        QStringLiteral("Il pulsante Trova consente di effettuare ricerche avanzate in archivio anche conoscendo solo "
                       "una parte dei dati: basta digitare una o più parole consecutive, anche incomplete, in uno o "
                       "più campi tra tipo di veicolo, accessori, marca, modello, targa, stato del veicolo, "
                       "proprietario, meccanico, centraline installate e note, e premere Cerca. Senza distinzione "
                       "tra maiuscole e minuscole, vengono elencati i veicoli che soddisfano tutti i filtri "
                       "impostati. L'elenco dei risultati, in ordine alfabetico, può essere stampato con il pulsante "
                       "Stampa e, con un doppio clic su una voce, si richiama la scheda del veicolo con la sua foto."),
        QStringLiteral(
            "L'utente addetto all'archiviazione delle schede dei veicoli ha la possibilità di aggiornare "
            "la data di scadenza della revisione, del tagliando, dell'assicurazione e del bollo, oltre "
            "alla data dell'ultima lettura dei chilometri. Le date non si digitano: premendo un tasto "
            "qualsiasi nel campo si apre un calendario, in cui si sceglie il giorno e si preme Importa; "
            "i tasti Canc e Backspace svuotano il campo. Conviene aggiornare le date dopo ogni revisione, "
            "tagliando o rinnovo, così che la scheda riporti sempre le scadenze in corso. Una scadenza già "
            "passata si colora di rosso, una che cade entro il periodo di preavviso (30 giorni, modificabile "
            "con la voce Preavviso della sezione Scadenze del file Cablora.ini) di arancione, e la riga di "
            "stato dice quanti giorni mancano. Il pulsante Scadenze, presente anche nella finestra di avvio, elenca "
            "tutte le scadenze passate o vicine di tutti i veicoli, con targa, proprietario e telefono: è "
            "l'elenco dei clienti da chiamare, che si può filtrare per periodo e per tipo e stampare. Il "
            "pulsante Storico elenca invece tutte le schede di intervento della targa mostrata, con il "
            "totale dei lavori e quanto resta da saldare. Le scadenze compaiono anche, in colonna, "
            "nell'esportazione dell'archivio in Excel."),
        QStringLiteral("La scheda tecnica descrittiva completa di foto di ciascun veicolo può essere visualizzata in "
                       "anteprima o stampata su carta in formato A4 con i pulsanti Anteprima e Stampa; vengono "
                       "stampati i dati presenti sullo schermo, anche se non ancora salvati. Il pulsante di "
                       "esportazione, infine, trasferisce i dati di tutti i veicoli in un foglio di lavoro di "
                       "Excel."),
    };
}

QStringList sheetSection()
{
    return {
        QStringLiteral("L'app Schede Interventi è studiata per l'emissione delle schede di intervento da consegnare "
                       "al cliente al termine della riparazione. Ogni scheda occupa il fronte e il retro di un "
                       "foglio A4: sul fronte si riportano i dati dell'officina, del veicolo, del cliente e dei "
                       "lavori, con due foto del mezzo, sul retro la descrizione tecnica dell'intervento e gli "
                       "importi. La scheda può essere richiamata e aggiornata in qualsiasi momento, man mano che la "
                       "riparazione procede, fino alla consegna del veicolo."),
        QStringLiteral("Per registrare una nuova scheda, bisogna fare clic sul pulsante Nuovo, compilare i campi e "
                       "premere Salva. Sono obbligatori il numero della scheda, la data di emissione, l'intestazione "
                       "dell'azienda di elettrauto, il nome e il recapito telefonico del cliente, la targa, la marca "
                       "e il modello del veicolo. L'intestazione dell'azienda si scrive una volta sola: il programma "
                       "la ricorda alla chiusura della finestra e la ripropone all'apertura successiva. Il logo "
                       "dell'officina, stampato in testa alla scheda, si imposta con l'icona a forma di tavolozza "
                       "situata a destra del numero della scheda, caricando un'immagine Jpeg o Bitmap di 297 x 184 "
                       "pixel; in mancanza di un logo personalizzato viene stampato il simbolo dell'euro."),
        QStringLiteral("Per aggiornare una scheda esistente, basta richiamarla sullo schermo con la funzione Trova, "
                       "con l'elenco dei conti non saldati oppure scorrendo l'archivio con i pulsanti a forma di "
                       "freccia, modificare i dati e premere Salva: le modifiche sostituiscono la scheda archiviata "
                       "nella stessa posizione."),
        QStringLiteral("Quando si preme il pulsante Nuovo, il programma propone il numero della nuova scheda contando "
                       "le schede già presenti in archivio: la prima scheda riceve il numero 1, la seconda il numero "
                       "2 e così via. Per partire da un numero più alto, ad esempio per proseguire la numerazione di "
                       "un blocco cartaceo, si usa il pulsante di impostazione della numerazione: il numero iniziale "
                       "indicato viene sommato al numero delle schede già archiviate. Per sfruttare la numerazione "
                       "automatica bisogna premere Nuovo prima di compilare la scheda; il numero proposto può "
                       "comunque essere modificato a mano, e il programma non controlla se è già stato usato."),
        QStringLiteral("Nella scheda vanno riportati i dati del mezzo (tipo di veicolo, targa, marca e modello, "
                       "chilometraggio), quelli del cliente (nome e recapito telefonico), gli estremi dell'eventuale "
                       "pratica assicurativa e il nome del tecnico assegnato al lavoro. Se il cliente è già "
                       "registrato nell'app Anagrafica Clienti, non occorre digitare i suoi dati: basta fare clic "
                       "sull'icona di importazione accanto al campo Cliente, cercare il cliente e fare doppio clic "
                       "sulla voce in elenco, e il nome, il telefono, il tipo di veicolo, la targa, la marca e il "
                       "modello vengono copiati nella scheda."),
        QStringLiteral("Il pulsante Duplica è utile se si deve registrare la scheda di un nuovo veicolo che ha molti "
                       "elementi in comune con quella di un veicolo già in archivio, oppure un nuovo intervento "
                       "sullo stesso veicolo. Dopo aver richiamato la scheda di partenza e premuto Duplica, il "
                       "programma svuota il numero, imposta la data di emissione a oggi e toglie le foto e gli "
                       "allegati, mantenendo tutti gli altri dati, compresi il totale e la casella Pagato, che vanno "
                       "quindi controllati: basta assegnare un numero alla nuova scheda, correggere i dati che "
                       "cambiano e premere Salva."),
        QStringLiteral("E' possibile indicare lo stato di avanzamento dei lavori nell'apposito campo, insieme alla "
                       "data di inizio e alla data di fine dei lavori, che si scelgono dal calendario premendo un "
                       "tasto qualsiasi nel campo. Sul fronte della scheda trovano posto anche due foto del veicolo: "
                       "ciascuna può essere caricata da un file Jpeg o Bitmap oppure scattata al momento con la "
                       "webcam, ad esempio tenendo un computer portatile o un tablet davanti al veicolo. Nella "
                       "finestra della webcam si preme Accendi webcam, poi Cattura foto e infine Importa foto in "
                       "scheda. Le foto vengono conservate solo dopo aver salvato la scheda."),
        QStringLiteral("A pagina 2, ossia sul retro del foglio A4, si descrive la parte tecnica dell'intervento: il "
                       "problema segnalato dal cliente, le spie accese sul cruscotto, i test e gli interventi "
                       "eseguiti (ad esempio la diagnosi con il tester, la prova della batteria e dell'alternatore, "
                       "la sostituzione del motorino di avviamento o la riparazione di un cablaggio), i ricambi e i "
                       "materiali utilizzati, la manodopera, il totale in euro e le eventuali note. Il totale si "
                       "digita con la virgola decimale e viene arrotondato automaticamente ai centesimi. Il retro "
                       "riporta anche la dichiarazione di accettazione dei lavori e gli spazi per la firma del "
                       "tecnico e del cliente."),
        QStringLiteral("A ciascuna scheda di intervento è possibile allegare file esterni, fino a un massimo di tre, "
                       "ad esempio il preventivo, la fattura dei ricambi o la perizia dell'assicurazione. Il "
                       "pulsante Allega file apre la finestra in cui scegliere i file con Sfoglia..., descriverli e "
                       "aprirli con Apri; i file vengono copiati nella cartella Documenti_Allegati del programma. "
                       "Dopo aver premuto Applica e chiudi, bisogna salvare la scheda per conservare gli allegati."),
        QStringLiteral("La casella Pagato, se spuntata, indica che il cliente ha saldato il conto. Il pulsante dei "
                       "conti non saldati mostra l'elenco di tutte le schede per cui la casella non è stata "
                       "spuntata, così da sapere in ogni momento quali clienti devono ancora pagare: l'elenco può "
                       "essere stampato e, con un doppio clic su una voce, si richiama la scheda. Quando il cliente "
                       "paga, basta spuntare la casella e salvare la scheda perché questa scompaia dall'elenco."),
        QStringLiteral("La funzione Trova permette di creare riepiloghi delle schede in archivio combinando più "
                       "criteri di ricerca contemporaneamente: numero della scheda, data di emissione, tecnico "
                       "assegnato, estremi della pratica assicurativa, cliente, recapito telefonico, marca e "
                       "modello, targa, stato di avanzamento dei lavori e note. Basta digitare una o più parole "
                       "consecutive nei campi prescelti, senza badare a maiuscole e minuscole, e premere Cerca: "
                       "scrivendo ad esempio /03/2024 nel campo della data e il nome di un tecnico nel campo "
                       "corrispondente, si ottengono tutte le schede di quel tecnico emesse nel marzo 2024. Il "
                       "riepilogo riporta per ogni scheda numero, data, cliente, telefono, veicolo, targa e totale, "
                       "può essere stampato e, con un doppio clic, consente di richiamare una scheda."),
        QStringLiteral("Le singole schede di intervento complete di foto possono essere stampate su carta, "
                       "preferibilmente fronte e retro su un unico foglio A4, con il pulsante Stampa, oppure "
                       "visualizzate sullo schermo prima della stampa con il pulsante Anteprima. Viene stampato ciò "
                       "che appare sullo schermo, anche se la scheda non è ancora stata salvata, insieme al logo "
                       "dell'officina."),
    };
}

QStringList closing()
{
    return {
        QStringLiteral("Il software funziona anche in una rete locale: è sufficiente copiare la cartella del "
                       "programma in una cartella condivisa del server o di un computer dell'ufficio e avviare il "
                       "programma da ciascuna postazione. Tutte le postazioni lavorano così sugli stessi archivi di "
                       "schede, clienti e veicoli. Conviene evitare che due utenti modifichino contemporaneamente la "
                       "stessa scheda: viene conservata la versione salvata per ultima."),
        QStringLiteral("Cablora può essere utilizzato anche su chiavetta USB. Tutti i dati (archivi, foto, allegati, "
                       "impostazioni e password) sono conservati nella cartella del programma, che può quindi essere "
                       "copiata su una chiavetta e utilizzata su un altro computer. Per la copia di sicurezza basta "
                       "fare clic sull'icona Copia di sicurezza della finestra di avvio e scegliere la chiavetta: il "
                       "programma scrive un unico file compresso con la data e l'ora nel nome, contenente archivi, "
                       "foto, allegati, logo e impostazioni, e lo rilegge per verificarlo prima di confermare. "
                       "L'icona Ripristina riporta i dati da una copia; quelli presenti vengono prima spostati in una "
                       "cartella datata, così che nulla vada perso. In alternativa resta sempre valido il metodo più "
                       "semplice: copiare periodicamente l'intera cartella del programma su un altro disco."),
        QStringLiteral("L'accesso al software è protetto da una password, comune a tutti gli utenti, che viene "
                       "richiesta a ogni avvio. Al primo avvio la password è portierasicura; è consigliabile "
                       "sostituirla subito con una password personale, che potrà essere cambiata in qualsiasi "
                       "momento con il pulsante Cambia password della finestra di accesso, indicando la vecchia "
                       "password e digitando due volte, in modo identico, la nuova. Nella password non si distingue "
                       "tra lettere maiuscole e minuscole."),
        QStringLiteral("Cablora è quindi lo strumento ideale per l'officina di elettrauto che vuole lavorare in modo "
                       "ordinato e professionale: schede di intervento chiare e complete da consegnare al cliente, "
                       "archivi di clienti e veicoli sempre a portata di mano, ricerche rapide, controllo dei conti "
                       "non saldati e dei clienti da ricontattare, il tutto in un programma semplice, che non "
                       "richiede un database e può essere portato ovunque su una chiavetta USB."),
    };
}

// The second and third paragraphs of the two export topics differ only in the file name.
QString exportSteps(const QString &fileName)
{
    return QStringLiteral("Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic sull'icona "
                          "di Excel e confermare l'esportazione: il programma crea subito il file %1 nella cartella "
                          "del programma, sostituendo quello di un'esportazione precedente. Al termine, rispondendo "
                          "Sì alla domanda successiva, il file viene aperto con il programma predefinito per i fogli "
                          "di lavoro. Se l'esportazione non riesce, occorre verificare che il file non sia già "
                          "aperto in Excel.")
        .arg(fileName);
}

QString exportSaving()
{
    return QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso assegnandogli un nome "
                          "qualsiasi.");
}

}  // namespace

Topic launcher()
{
    return {QStringLiteral("Uno sguardo a Cablora"),
            introduction() + customerSection() + vehicleSection() + sheetSection() + closing()};
}

Topic customers()
{
    return {QStringLiteral("App Anagrafica Clienti"), customerSection()};
}

Topic vehicles()
{
    return {QStringLiteral("App Parco Automezzi"), vehicleSection()};
}

Topic sheets()
{
    return {QStringLiteral("App Schede Interventi"), sheetSection()};
}

Topic customerExport()
{
    return {QStringLiteral("Esportazione archivio clienti in Excel"),
            {QStringLiteral("Il pulsante Esporta archivio consente di esportare i dati anagrafici di tutti i clienti "
                            "in un foglio di lavoro di Excel, che si apre con Microsoft Excel, LibreOffice, "
                            "OpenOffice o qualsiasi altro programma in grado di leggere i file XLS. Il foglio "
                            "contiene una riga per ogni cliente e una colonna per ciascun dato, dal cognome e nome "
                            "fino al Codice Destinatario. Prima dell'esportazione alcune colonne possono essere "
                            "corrette direttamente nella griglia: le correzioni valgono solo per il file esportato "
                            "e non modificano l'archivio."),
             exportSteps(QStringLiteral("Clienti.xls")), exportSaving()}};
}

Topic vehicleExport()
{
    return {QStringLiteral("Esportazione archivio veicoli in Excel"),
            {QStringLiteral("Il pulsante Esporta archivio consente di esportare tutti i veicoli registrati nel parco "
                            "automezzi in un foglio di lavoro di Microsoft Excel, che si apre con qualsiasi "
                            "programma in grado di gestire i file XLS, ad esempio Open Office, Libre Office o "
                            "Microsoft Office. Il foglio contiene una riga per ogni veicolo, con i dati tecnici, il "
                            "proprietario, il meccanico e le scadenze di revisione, tagliando, assicurazione e "
                            "bollo. Prima dell'esportazione alcune colonne possono essere corrette direttamente "
                            "nella griglia: le correzioni valgono solo per il file esportato e non modificano "
                            "l'archivio."),
             exportSteps(QStringLiteral("Parco_Automezzi.xls")), exportSaving()}};
}

QList<Topic> all()
{
    return {launcher(), customers(), vehicles(), sheets(), customerExport(), vehicleExport()};
}

QStringList launcherOwnParagraphs()
{
    return introduction() + closing();
}

QString productName()
{
    return QStringLiteral("Cablora");
}

QString programVersion()
{
    return QStringLiteral("1.0");
}

// The maker is the program's own invented brand; its addresses use the reserved ".example" domain.
QString makerName()
{
    return QStringLiteral("Cablora Lab");
}

QString makerWebAddress()
{
    return QStringLiteral("https://www.cablora.example");
}

QString makerWebLabel()
{
    return QStringLiteral("www.cablora.example");
}

QString makerEmail()
{
    return QStringLiteral("assistenza@cablora.example");
}

QString manualFileName()
{
    return QStringLiteral("Guida.pdf");
}

QString manualPath(const QString &programFolder)
{
    return QDir(programFolder).filePath(manualFileName());
}

}  // namespace HelpTopics
