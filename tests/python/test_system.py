"""Whole-system goldens: one news-style paragraph per language, mixing money,
dates, times, percentages, decimals, measurements, web and e-mail addresses,
phone numbers, versions and the kinds every language shares; then a few
sentences that join entities and language passes in one call."""

import pytest

from kalvesta import normalize

PARAGRAPHS = {
    "ms": (
        "Pada 12/05/2024, harga petrol RON95 naik 2.5% kepada RM3.50 seliter manakala indeks komposit naik 12.75 "
        "mata. Mesyuarat bermula pukul 9:30 pagi di Jalan Ampang 12/3 dan berlangsung 2 jam. Suhu mencecah 35°C, "
        "jadi minum 1.5L air 3x sehari. Pemohon No. KP 880101-14-5678 boleh hubungi 012-345 6789, emel "
        "info@contoh.com.my atau layari www.contoh.com.my untuk versi 2.1.0. Tawaran diskaun 1/4 tamat 15hb Ramadan "
        "1445H.",
        "Pada dua belas Mei dua ribu dua puluh empat, harga petrol R O N sembilan lima naik dua perpuluhan lima "
        "peratus kepada tiga ringgit lima puluh sen seliter manakala indeks komposit naik dua belas perpuluhan "
        "tujuh lima mata. "
        # The street's own name stays with the slash-address reading.
        "Mesyuarat bermula pukul sembilan tiga puluh pagi di Jalan Ampang satu dua slash tiga dan berlangsung dua "
        "jam. Suhu mencecah tiga puluh lima celcius, jadi minum satu perpuluhan lima liter air tiga kali sehari. "
        "Pemohon nombor K P lapan lapan kosong satu kosong satu satu empat lima enam tujuh lapan boleh hubungi "
        "kosong satu dua tiga empat lima enam tujuh lapan sembilan, emel info at contoh dot com dot my atau layari "
        "w w w dot contoh dot com dot my untuk versi dua point satu point kosong. Tawaran diskaun satu per empat "
        "tamat lima belas hari bulan Ramadan satu empat empat lima Hijri.",
    ),
    "id": (
        "Pada 17/08/2024, harga beras naik 12,5% menjadi Rp15.500 per kilogram, sementara inflasi tercatat 2,8 "
        "persen. Pemerintah menyiapkan dana Rp2,5 triliun dan bantuan Rp5jt per keluarga. Rapat dimulai pukul 10.30 "
        "pagi dan berlangsung 2 jam di gedung yang berjarak 3,5 km dari pusat kota. Informasi lengkap ada di "
        "https://www.contoh.co.id/info atau email humas@contoh.go.id, WhatsApp +6012-345 6789. Aplikasi versi 3.2.1 "
        "dirilis pada 1 Muharram 1446H.",
        "Pada tujuh belas Agustus dua ribu dua puluh empat, harga beras naik dua belas koma lima persen menjadi "
        "lima belas ribu lima ratus rupiah per kilogram, sementara inflasi tercatat dua koma delapan persen. "
        "Pemerintah menyiapkan dana dua triliun lima ratus miliar rupiah dan bantuan lima juta rupiah per keluarga. "
        "Rapat dimulai pukul sepuluh tiga puluh pagi dan berlangsung dua jam di gedung yang berjarak tiga "
        "perpuluhan lima kilometer dari pusat kota. Informasi lengkap ada di h t t p s colon slash slash w w w dot "
        "contoh dot co dot id slash info atau email humas at contoh dot go dot id, WhatsApp enam nol satu dua tiga "
        "empat lima enam tujuh delapan sembilan. Aplikasi versi tiga point dua point satu dirilis pada satu "
        "Muharram satu empat empat enam Hijriah.",
    ),
    "en": (
        "On 25/12/2023, shares of ACME Corp. rose 3.5% to $1,250.75 after the company reported revenue of $2.5B, a "
        "3x jump, and the index gained 1.75 points. The CEO, Dr. Smith, will speak at 7:30 pm at Gate 12 of the "
        "convention centre, which is 12 km from the airport. Temperatures reached 32°C, and the 2nd session was cut "
        "to 45 minutes as only 3/4 of the seats were sold. Visit https://acme.com/news or e-mail press@acme.com, or "
        "call 03-2345 6789 for details. Version 4.2.1 of the app ships in 2024 with an A380 aircraft.",
        "On twenty-five of December twenty twenty-three, shares of acme Corp. rose three point five percent to one "
        "thousand, two hundred and fifty dollar seventy-five cents after the company reported revenue of two "
        "billion, five hundred million dollar, a three times jump, and the index gained one point seven five "
        "points. "
        # Hyphens between letters become blanks in the language text ("forty five"),
        # while entity readings, put back afterwards, keep theirs ("thirty-two").
        "The C E O, doctor Smith, will speak at seven thirty p m at Gate one two of the convention centre, which is "
        "twelve kilometers from the airport. Temperatures reached thirty-two celsius, and the second session was "
        "cut to forty five minutes as only three over four of the seats were sold. Visit h t t p s colon slash "
        "slash acme dot com slash news or e mail press at acme dot com, or call zero three two three four five six "
        "seven eight nine for details. Version four point two point one of the app ships in twenty twenty four with "
        "an A three eight zero aircraft.",
    ),
    "zh": (
        "2024年3月15日，公司股价上涨3.5%，收于$12.50，汇率为4.72。会议将于下午3:30举行，地点距离机场 15 km。当天气温为28°C，降雨概率为60%。详情请访问 "
        "https://www.example.cn 或发送邮件至 info@example.cn，也可致电 03-2345 6789。新版本 2.0.1 将于2025-01-20发布。",
        "二零二四年三月十五日，公司股价上涨百分之三点五，收于十二美元五十分，汇率为四点七二。会议将于下午三点三十分举行，地点距离机场 十五公里。当天气温为二十八摄氏度，降雨概率为百分之六十。详情请访问 h t t p s "
        "冒号斜杠斜杠w w w 点 example点cn 或发送邮件至 info艾特example点cn，也可致电 零 三 二 三 四 五 六 七 八 九。"
        # Version numbers are read with the Malay speller in every language.
        "新版本 dua point kosong point satu 将于二零二五年一月二十日发布。",
    ),
    "zh_my": (
        "大马政府宣布，明年经济增长预计为4.5%，令吉兑美元汇率为4.72。一公斤鸡肉售价RM9.40，比去年贵了 RM0.50，涨幅约 1/20。卫生部将于 12/03/2024 10:00 am "
        "召开记者会，请拨打热线 1-800-88-1234 或浏览 www.moh.gov.my 查询。马六甲今天最高气温为33°C，油价每公升 RM2.05。",
        "大马政府宣布，明年经济增长预计为四点五巴仙，令吉兑美元汇率为四点七二。一公斤鸡肉售价九令吉四十仙，比去年贵了 零令吉五十仙，涨幅约 二十分之一。卫生部将于 二零二四年三月十二日 早上十点 召开记者会，请拨打热线 "
        "一 八 零 零 八 八 一 二 三 四 或浏览 w w w 点 moh点gov点my 查询。马六甲今天最高气温为三十三摄氏度，油价每公升 二令吉五仙。",
    ),
}


GOLDENS = [(lang, text, "", want) for lang, (text, want) in PARAGRAPHS.items()] + [
    # A stash key glued to a digit is not read with it.
    ("ms", "visit abc.com5 now", "", "visit abc dot com lima now"),
    ("zh", "visit abc.com5 now", "", "visit abc点com 五 now"),
    # The address inside the web address is kept, read with the address.
    ("en", "see http://x.com/?u=a@b.com ok", "",
     "see h t t p colon slash slash x dot com slash question mark u equals a at b dot com ok"),
    # A time takes the blank after it; its reading gives the blank back.
    ("en", "3:02 a@b.com", "", "three two a at b dot com"),
    # A grouped number with a fraction is read whole, not from its last group.
    ("ms", "ditutup pada 7,654.32 mata", "",
     "ditutup pada tujuh ribu enam ratus lima puluh empat perpuluhan tiga dua mata"),
    # "basic" keeps acronyms, elongated words and special characters on.
    ("en", "FBI sooo A&B 12/05/2024 5 km 7:30 pm", '{"profile": "basic"}',
     "F B I soo A and B 12/05/2024 five km 7:30 pm"),
]


@pytest.mark.parametrize("lang,text,options,want", GOLDENS, ids=lambda v: str(v)[:24])
def test_golden(lang, text, options, want):
    assert normalize(text, lang, options) == want, text
