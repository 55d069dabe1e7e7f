"""Language passes through normalize() on text that no entity kind takes."""

import pytest

from kalvesta import normalize

CASES = [
    ("ms", "Seramai 1,250 orang hadir, 12.5% daripada 40 kumpulan.",
     "Seramai seribu dua ratus lima puluh orang hadir, dua belas perpuluhan lima peratus "
     "daripada empat puluh kumpulan."),
    ("ms", "Kod A4 dihantar pada 5/3/24, rujukan 012-3456.",
     "Kod A empat dihantar pada lima Mac dua puluh empat, rujukan kosong satu dua tiga empat lima enam."),
    ("ms", "Sebanyak 3.75 tan dan 007 unit.", "Sebanyak tiga perpuluhan tujuh lima tan dan tujuh unit."),
    ("id", "Harga naik 2,5% menjadi 10rb per kilo, total 1.250 unit.",
     "Harga naik dua koma lima persen menjadi sepuluh ribu per kilo, total seribu dua ratus lima puluh unit."),
    ("id", "Kode A4 pada 5/3/24 dengan nomor 012-3456.",
     "Kode A empat pada lima Maret dua puluh empat dengan nomor nol satu dua tiga empat lima enam."),
    ("en", "In 1999 the 3rd team scored 12.5% more; it's 2,500 points for the 21st time.",
     "In nineteen ninety nine the third team scored twelve point five percent more; it is two thousand, "
     "five hundred points for the twenty first time."),
    ("en", "Mr. Smith can't find the x86 manual, he'd've read 3.14 pages.",
     "mister Smith cannot find the X eight six manual, he would have read three point one four pages."),
    ("en", "She won't go, they're in 2024 with 100 boxes.",
     "She will not go, they are in twenty twenty four with one hundred boxes."),
    ("zh", "完成率达到85%，共有1,234人，平均3.5分，型号A4，2024年。",
     "完成率达到百分之八十五，共有一千二百三十四人，平均三点五分，型号A 四，二零二四年。"),
    # A grouped number with a fraction is read whole, not from its last group.
    ("ms", "ditutup pada 7,654.32 mata, naik 1,234.5%",
     "ditutup pada tujuh ribu enam ratus lima puluh empat perpuluhan tiga dua mata, "
     "naik seribu dua ratus tiga puluh empat perpuluhan lima peratus"),
    ("en", "closed at 7,654.32 points",
     "closed at seven thousand, six hundred and fifty four point three two points"),
    ("zh_my", "完成率达到85%，共有1,234人，平均3.5分。", "完成率达到八十五巴仙，共有一千二百三十四人，平均三点五分。"),
]


@pytest.mark.parametrize("lang,text,want", CASES, ids=lambda v: str(v)[:28])
def test_language_passes(lang, text, want):
    assert normalize(text, lang) == want
