#!/usr/bin/env python3
"""Writes samples/logtext/: the message board of a small walking and reading
club, as Log Mode message files KVX00001.TXT .. KVX00040.TXT in the Japanese
code page with CR LF line ends.

Each message names the message it answers; the "Back :" line is taken from
that and the "Next :" line lists, in order, the numbers of the messages that
answer it, five digits each, run together.

    python3 tools/make_samples.py [output directory]
"""
import datetime
import os
import sys

PREFIX = 'KVX'
EXT = 'TXT'

PEOPLE = {
    'kawamura': ('川村 洋子', 'yoko.kawamura@example.com', 'http://example.com/~kawamura/'),
    'sasaki': ('佐々木 健', 'ken-s@example.net', ''),
    'morishita': ('森下 ゆかり', 'yukari@example.org', 'http://example.org/~yukari/'),
    'ono': ('大野 誠', 'ono@example.com', 'http://example.com/~ono/tea/'),
    'tom': ('Tom Hillier', 'tom.hillier@example.com', 'http://example.com/~tom/'),
    'emily': ('Emily Walsh', 'emily@example.net', ''),
    'hayashi': ('林 みどり', '', ''),
    'kudo': ('工藤 正和', 'kudo@example.jp', 'http://example.jp/~kudo/'),
}

WEEKDAYS = '月火水木金土日'


def date_text(stamp):
    """'2001/04/03 (火) 21:15' from '2001-04-03 21:15'."""
    t = datetime.datetime.strptime(stamp, '%Y-%m-%d %H:%M')
    return t.strftime('%Y/%m/%d') + ' (' + WEEKDAYS[t.weekday()] + ') ' + t.strftime('%H:%M')


# (key, key of the message answered, author, date, title, body lines); the
# messages are numbered in the order of their dates.
MESSAGES = [
    ('welcome', None, 'kawamura', '2001-04-02 20:05', '掲示板を始めました', [
        'かわせみ会のみなさん、こんばんは。世話役の川村です。',
        '',
        '会報だけでは連絡が遅れがちなので、会の掲示板を用意しました。',
        '山歩きの計画、お茶の会、読書会、それにパソコンの困りごとなど、',
        '何でも気軽に書き込んでください。',
        '',
        '返事を書くときは、元の発言への返信にしていただけると',
        '話の流れが追いやすくなります。',
    ]),
    ('welcome-ken', 'welcome', 'sasaki', '2001-04-02 22:41', 'Re: 掲示板を始めました', [
        '> 会の掲示板を用意しました。',
        '',
        '川村さん、ありがとうございます。さっそく書いてみました。',
        '字が小さくて読みにくいのですが、文字の大きさは変えられますか？',
    ]),
    ('welcome-tom', 'welcome', 'tom', '2001-04-03 07:30', 'Re: Starting the board', [
        'Good morning everyone,',
        '',
        'Thanks for setting this up, Yoko. My Japanese is still slow, so',
        'I hope nobody minds if I write in English now and then.',
        '',
        'Tom',
    ]),
    ('font-size', 'welcome-ken', 'kawamura', '2001-04-03 21:15', 'Re^2: 文字の大きさ', [
        '> 文字の大きさは変えられますか？',
        '',
        '佐々木さん、書体は画面の上のボタンで切り替えられます。',
        '大きさそのものは表示の設定で変えられますので、',
        '次の例会のときに一緒にやってみましょう。',
    ]),
    ('welcome-yukari', 'welcome', 'morishita', '2001-04-04 12:10', 'Re: 掲示板を始めました', [
        '森下です。お昼休みに会社から見ています。',
        '会報の予定表もここに載せてもらえると助かります。',
    ]),
    ('hike', None, 'kudo', '2001-04-06 19:20', '4月の山歩き：高尾から陣馬山へ', [
        '工藤です。4月の山歩きの案内です。',
        '',
        '日時　4月22日（日）　雨天中止',
        '集合　高尾駅北口　8時30分',
        '行程　高尾山口～城山～景信山～陣馬山～陣馬高原下（バス）',
        '歩行　約6時間',
        '',
        'お弁当と水筒、雨具を忘れずに。参加される方は返信してください。',
    ]),
    ('hike-midori', 'hike', 'hayashi', '2001-04-06 21:02', 'Re: 4月の山歩き', [
        '林です。参加します。',
        '陣馬山まで歩けるか少し心配ですが、がんばります。',
    ]),
    ('hike-emily', 'hike', 'emily', '2001-04-07 09:45', 'Re: Hiking in April', [
        'Count me in for the 22nd!',
        'Is the bus back from Jinba Kogen frequent, or should we check the',
        'timetable before we set off?',
    ]),
    ('hike-shortcut', 'hike-midori', 'kudo', '2001-04-07 10:30', 'Re^2: 4月の山歩き', [
        '> 陣馬山まで歩けるか少し心配ですが',
        '',
        '景信山から小仏へ下りる道もあるので、途中で分かれても大丈夫ですよ。',
    ]),
    ('hike-tea', 'hike', 'ono', '2001-04-08 18:00', 'Re: 4月の山歩き', [
        '大野です。景信山の茶屋でなめこ汁を食べるのが楽しみです。',
        '山頂でお茶をいれるので、湯を沸かす道具を持っていきます。',
    ]),
    ('hike-tea-ken', 'hike-tea', 'sasaki', '2001-04-08 22:15', 'Re^2: 山頂でお茶', [
        '大野さんのお茶、去年の丹沢でいただいたのがおいしかったです。',
        '今年も期待しています。',
    ]),
    ('tea', None, 'ono', '2001-04-20 20:30', '新茶の季節です', [
        '大野です。',
        '',
        '八十八夜も近くなり、静岡の知人から新茶の便りが届きました。',
        '5月の例会のあとに、少し早い新茶の会をしませんか。',
        '急須と湯冷ましは私が用意します。',
    ]),
    ('tea-sweets', 'tea', 'morishita', '2001-04-21 08:12', 'Re: 新茶の季節です', [
        'ぜひ！　お菓子は何か持っていきます。',
        '水ようかんと桜餅、どちらがいいでしょう。',
    ]),
    ('tea-tom', 'tea', 'tom', '2001-04-21 13:40', 'Re: New tea', [
        'I would love to join. I only know tea from bags, so this will be',
        'a proper lesson for me.',
    ]),
    ('tea-sakuramochi', 'tea-sweets', 'ono', '2001-04-21 19:05', 'Re^2: お菓子', [
        '> 水ようかんと桜餅、どちらがいいでしょう。',
        '',
        '新茶には桜餅のほうが合うと思います。塩気がちょうどいいので。',
    ]),
    ('books-may', None, 'morishita', '2001-04-25 21:00', '読書会：5月の本', [
        '5月の読書会の本を決めたいと思います。候補は次の三冊です。',
        '',
        '1. 山の随筆集（文庫）',
        '2. お茶の歴史をたどる新書',
        '3. 英語の短編集（対訳つき）',
        '',
        '希望を返信で教えてください。月末に締め切ります。',
    ]),
    ('books-may-emily', 'books-may', 'emily', '2001-04-26 07:55', 'Re: Book circle in May', [
        'I vote for number 3, the short stories with the parallel text.',
        'It would be fun to read it together with everyone.',
    ]),
    ('books-may-midori', 'books-may', 'hayashi', '2001-04-26 20:20', 'Re: 読書会：5月の本', [
        '林です。1の随筆集に一票。',
        '山歩きの前に読んでおくと、景色の見え方が変わりそうです。',
    ]),
    ('books-may-yoko', 'books-may', 'kawamura', '2001-04-27 22:10', 'Re: 読書会：5月の本', [
        '私は2の新書がいいです。新茶の会の前に読めるので。',
    ]),
    ('books-may-result', 'books-may-midori', 'morishita', '2001-04-30 23:30', '5月の本は随筆集に決まりました', [
        '集計の結果、1の随筆集に決まりました。',
        '6月は英語の短編集にしましょう。',
        '例会は5月26日（土）午後2時から、公民館の和室です。',
    ]),
    ('floppy', None, 'sasaki', '2001-05-02 21:45', 'パソコンの質問：フロッピーが読めません', [
        'パソコンにくわしい方に質問です。',
        '',
        '娘に借りたフロッピーディスクを入れると',
        '「フォーマットされていません」と出て、中が見られません。',
        '娘のパソコンでは読めるそうです。',
        'どうしたらよいでしょうか。',
    ]),
    ('floppy-format', 'floppy', 'kudo', '2001-05-03 09:10', 'Re: フロッピーが読めません', [
        '工藤です。',
        '',
        '娘さんのパソコンはもしかして機種が違いませんか？',
        'フォーマットの形式が違うと、そういう表示が出ることがあります。',
        '容量の表示（1.44MBか1.25MBか）を確かめてみてください。',
    ]),
    ('floppy-tom', 'floppy', 'tom', '2001-05-03 11:30', 'Re: Floppy disk trouble', [
        'Another thing to try: the disk may simply be worn out.',
        'Ask your daughter to copy the files onto a new disk, formatted',
        'on her machine as 1.44MB.',
    ]),
    ('floppy-size', 'floppy-format', 'sasaki', '2001-05-03 20:00', 'Re^2: フロッピーが読めません', [
        '> 容量の表示（1.44MBか1.25MBか）を確かめてみてください。',
        '',
        '見てみたら1.25MBでした。娘のパソコンは古い機種だそうです。',
        'どうすれば読めますか。',
    ]),
    ('floppy-answer', 'floppy-size', 'kudo', '2001-05-04 08:40', 'Re^3: フロッピーが読めません', [
        '1.44MBでフォーマットしたディスクに移してもらうのがいちばん簡単です。',
        'ソフトを入れれば読めるようにもなりますが、おすすめはしません。',
        '次の例会にディスクを持ってきてもらえれば、見てみますよ。',
    ]),
    ('hike-report', None, 'kudo', '2001-04-23 22:30', '山歩きの報告：陣馬山', [
        '4月22日の山歩きの報告です。参加は9名、天気は晴れのち薄曇りでした。',
        '',
        '高尾山口を8時50分に出発し、稲荷山コースで高尾山へ。山頂は朝から大にぎわいで、'
        '富士山は春がすみの向こうにうっすらと見えるだけでしたが、それでも歓声が上がりました。'
        'もみじ台から一丁平にかけては山桜が見ごろで、足元にはスミレやイカリソウも咲いていて、'
        '写真を撮る人が多く、なかなか前に進みませんでした。',
        '',
        '城山の茶屋で小休止のあと、小仏峠を越えて景信山へ。ここで大野さんが山頂でお茶をいれてくださり、'
        '湯冷ましで少し冷ましたお湯でいれた煎茶は、歩いたあとの体にしみる甘さでした。'
        '茶屋のなめこ汁とあわせて、この日いちばんの人気だったと思います。',
        '',
        '景信山からは林さんと佐々木さんが小仏バス停へ下り、残りの7名で陣馬山をめざしました。'
        '明王峠のあたりから少し風が出てきましたが、14時40分に陣馬山の白い馬の像の前に到着。'
        '陣馬高原下のバスは1時間に1本ほどなので、15時半のバスに間に合うよう早めに下りました。',
        '',
        '次回は5月の連休明けに、奥多摩の御岳山を予定しています。',
    ]),
    ('hike-report-emily', 'hike-report', 'emily', '2001-04-24 07:20', 'Re: Report from Mt. Jinba', [
        'Thank you for the lovely report, Kudo-san.',
        'The tea on Kagenobu was the best part of the day for me too.',
    ]),
    ('hike-report-midori', 'hike-report', 'hayashi', '2001-04-24 21:00', 'Re: 山歩きの報告：陣馬山', [
        '途中で分かれてしまいましたが、景信山までとても楽しかったです。',
        '次の御岳山は最後まで歩けるように、近所の坂道で練習します。',
    ]),
    ('tea-notes', None, 'tom', '2001-05-14 22:05', 'Tea tasting notes', [
        'Some notes from the new tea gathering on Saturday, for those who could not come.',
        '',
        'Ono-san brought three teas from Shizuoka: a first-flush sencha picked at the end of April, '
        'a deep-steamed sencha from the hills near Kakegawa, and a roasted hojicha that he said was for '
        'the end of the afternoon. He warmed the pot and the cups first, let the boiled water cool in a '
        'separate bowl until it was just warm to the touch, and poured the first cup in several small '
        'rounds so that every cup got the same strength. The first-flush tea was sweet and almost like '
        'broth, nothing like the bitter green tea I knew from tea bags.',
        '',
        'The deep-steamed tea was darker and cloudy, and Ono-san explained that the longer steaming '
        'breaks the leaves into fine pieces, so it needs less time in the pot. We had it with the '
        'sakura-mochi that Morishita-san brought, and the salty leaf went very well with it. The hojicha '
        'came last, brewed with hot water straight away, and smelled like roasted nuts.',
        '',
        'Next time I will bring something from home: a pot of English breakfast, for comparison.',
    ]),
    ('tea-notes-ono', 'tea-notes', 'ono', '2001-05-15 20:45', 'Re: Tea tasting notes', [
        'Tomさん、くわしい報告をありがとうございます。',
        '次回の紅茶、楽しみにしています。ミルクも用意しましょうか。',
    ]),
    ('meeting-june', None, 'kawamura', '2001-05-18 23:55', '（件名のみ）6月の例会は第2土曜です', []),
    ('meeting-june-yukari', 'meeting-june', 'morishita', '2001-05-19 08:30', 'Re: 6月の例会', [
        '了解しました。6月9日ですね。',
        '予定表に書き込んでおきます。',
    ]),
    ('mail', None, 'hayashi', '2001-05-20 20:15', 'メールソフトの設定を教えてください', [
        '林です。',
        '',
        '新しいパソコンを買ったのですが、メールの設定がわかりません。',
        'プロバイダからの書類には「POP3サーバー」「SMTPサーバー」と書いてあります。',
        'これをどこに入れればよいのでしょうか。',
    ]),
    ('mail-kudo', 'mail', 'kudo', '2001-05-20 21:00', 'Re: メールソフトの設定', [
        '工藤です。メールソフトの「アカウント」か「設定」の画面に、',
        '受信メール（POP3）と送信メール（SMTP）を入れる欄があるはずです。',
        'そこに書類のとおりに入れてください。',
    ]),
    ('mail-tom', 'mail', 'tom', '2001-05-20 21:30', 'Re: Mail settings', [
        'Also check the user name: some providers want the whole address,',
        'others only the part before the @.',
    ]),
    ('mail-ken', 'mail', 'sasaki', '2001-05-21 07:45', 'Re: メールソフトの設定', [
        '私も先月同じところでつまずきました。',
        'パスワードは大文字と小文字を区別するので気をつけてください。',
    ]),
    ('mail-emily', 'mail', 'emily', '2001-05-21 12:00', 'Re: Mail settings', [
        'If it still does not work, bring the papers to the meeting and',
        'we can look at it together.',
    ]),
    ('mail-solved', 'mail-kudo', 'hayashi', '2001-05-21 22:20', 'Re^2: メールソフトの設定', [
        '> 受信メール（POP3）と送信メール（SMTP）を入れる欄があるはずです。',
        '',
        'ありました！　試しに自分あてに送ってみたら、ちゃんと届きました。',
        'みなさん、ありがとうございました。',
    ]),
    ('books-june', None, 'morishita', '2001-06-10 21:30', '読書会：6月は英語の短編集', [
        '6月の読書会は予定どおり英語の短編集（対訳つき）です。',
        '一人一編ずつ担当して、あらすじと好きな一文を紹介しましょう。',
        '担当の希望があれば返信してください。',
    ]),
    ('books-june-emily', 'books-june', 'emily', '2001-06-11 08:05', 'Re: Book circle in June', [
        'I would like to take the first story, the one about the lighthouse.',
        '灯台の話を担当します。よろしくお願いします。',
    ]),
]


def five(n):
    return '%05d' % n


def build(messages):
    order = sorted(messages, key=lambda m: m[3])
    number = {m[0]: i + 1 for i, m in enumerate(order)}
    assert len(number) == len(messages), 'duplicate keys'
    replies = {key: [] for key in number}
    for key, answers, _, stamp, *_ in messages:
        if answers is not None:
            assert stamp > dict((m[0], m[3]) for m in messages)[answers], key
            replies[answers].append(number[key])
    files = {}
    for key, answers, author, stamp, title, body in order:
        name, mail, web = PEOPLE[author]
        nexts = sorted(replies[key])
        assert len(nexts) <= 10, key
        lines = [
            five(number[key]),
            'Title:' + title,
            'Name :' + name,
            'Mail :' + mail,
            'Http :' + web,
            'Date :' + date_text(stamp),
            'Next :' + ''.join(five(n) for n in nexts),
            'Back :' + (five(number[answers]) if answers is not None else ''),
            '',
            '',
        ] + body
        text = ''.join(line + '\r\n' for line in lines)
        files['%s%s.%s' % (PREFIX, five(number[key]), EXT)] = text.encode('cp932')
    return files


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, 'samples', 'logtext')
    os.makedirs(out, exist_ok=True)
    files = build(MESSAGES)
    for old in os.listdir(out):
        if old.startswith(PREFIX) and old.endswith('.' + EXT) and old not in files:
            os.remove(os.path.join(out, old))
    for name, data in sorted(files.items()):
        with open(os.path.join(out, name), 'wb') as f:
            f.write(data)
    print('%d messages written to %s' % (len(files), out))


if __name__ == '__main__':
    main()
